#pragma once
// The fixed OpenGL state the whole program draws in (projection, starting
// camera, depth test, culling, light, material, fog) and the optional
// extension entry points.
#include "display/gl_headers.h"

// Distance at which linear fog reaches the fog colour; twice it is the far plane.
extern const float fogEnd;

// Entry points of the optional extensions, null when unavailable. They live
// in their own namespace: a library may export functions of the same names.
namespace extensions {
using SwapIntervalProc = int(APIENTRY*)(int interval);
using GetSwapIntervalProc = int(APIENTRY*)();
using LockArraysProc = void(APIENTRY*)(GLint first, GLsizei count);
using UnlockArraysProc = void(APIENTRY*)();

extern SwapIntervalProc wglSwapIntervalEXT;
extern GetSwapIntervalProc wglGetSwapIntervalEXT;
// Vertex-array drawing is wrapped in these two when they are non-null;
// both are null when the LockArrays setting is off.
extern LockArraysProc glLockArraysEXT;
extern UnlockArraysProc glUnlockArraysEXT;
}  // namespace extensions

// Sets the projection, the starting camera and the fixed GL state from the
// settings and the window size, and looks up the extensions. Needs a current
// GL context; always returns true.
bool InitRenderState();
