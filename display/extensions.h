#pragma once
// The optional OpenGL extensions the program uses: swap control
// (WGL_EXT_swap_control) and the compiled-vertex-array lock
// (GL_EXT_compiled_vertex_array). What a context offers of them is looked up
// once the context is current and kept with that context.
#include "platform/console.h"
#include "platform/gl_headers.h"

using SwapIntervalProc = int(APIENTRY*)(int interval);
using GetSwapIntervalProc = int(APIENTRY*)();
using LockArraysProc = void(APIENTRY*)(GLint first, GLsizei count);
using UnlockArraysProc = void(APIENTRY*)();

// The compiled-array lock around vertex-array drawing. Each call is made
// when its entry point is non-null; both are null where the lock is missing
// or not wanted.
struct ArrayLock {
    LockArraysProc lock = nullptr;
    UnlockArraysProc unlock = nullptr;
};

// What one rendering context offers: whether it names each extension, and
// the entry points it gave for them (null where the look-up failed).
struct GLExtensions {
    bool swapControl = false;
    bool compiledArrays = false;
    SwapIntervalProc swapInterval = nullptr;
    GetSwapIntervalProc getSwapInterval = nullptr;
    ArrayLock arrayLock;
};

// Looks up both extensions in the current context. Entry points of an
// extension the context does not name are not asked for.
GLExtensions LookUpExtensions();

// Names on the console each extension the context lacks, and each whose
// entry points could not be had.
void ReportExtensions(const GLExtensions& extensions, Console& console);
