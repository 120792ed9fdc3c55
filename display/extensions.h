#pragma once
// The optional OpenGL extensions the program uses: swap control
// (WGL_EXT_swap_control) and the compiled-vertex-array lock
// (GL_EXT_compiled_vertex_array). Their entry points are looked up once the
// window's rendering context exists.
#include "platform/console.h"
#include "platform/gl_headers.h"

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
// both are null when the array lock is not wanted.
extern LockArraysProc glLockArraysEXT;
extern UnlockArraysProc glUnlockArraysEXT;

// Looks up both extensions in the current context; an extension the context
// lacks is named on the console. With `lockArrays` false the lock stays off
// even where the context offers it.
void LookUp(bool lockArrays, Console& console);
}  // namespace extensions
