#include "display/extensions.h"

#include "display/glwindow.h"
#include "platform/gl_context.h"

namespace {
constexpr const char* kSwapControl = "WGL_EXT_swap_control";
constexpr const char* kCompiledArrays = "GL_EXT_compiled_vertex_array";

template <typename Proc>
Proc EntryPoint(const char* name) {
    return reinterpret_cast<Proc>(platform::GetGLProcAddress(name));
}

void ReportPair(Console& console, const char* extension, bool named, bool bothFound) {
    if (!named)
        console.Printf("%s not supported \n", extension);
    else if (!bothFound)
        console.Printf("wglGetProcAddress() failure \n");
}
}  // namespace

GLExtensions LookUpExtensions() {
    GLExtensions found;
    found.swapControl = GLwindow::HasExtension(kSwapControl);
    if (found.swapControl) {
        found.swapInterval = EntryPoint<SwapIntervalProc>("wglSwapIntervalEXT");
        found.getSwapInterval = EntryPoint<GetSwapIntervalProc>("wglGetSwapIntervalEXT");
    }
    found.compiledArrays = GLwindow::HasExtension(kCompiledArrays);
    if (found.compiledArrays) {
        found.arrayLock.lock = EntryPoint<LockArraysProc>("glLockArraysEXT");
        found.arrayLock.unlock = EntryPoint<UnlockArraysProc>("glUnlockArraysEXT");
    }
    return found;
}

void ReportExtensions(const GLExtensions& extensions, Console& console) {
    ReportPair(console, kSwapControl, extensions.swapControl,
               extensions.swapInterval && extensions.getSwapInterval);
    ReportPair(console, kCompiledArrays, extensions.compiledArrays,
               extensions.arrayLock.lock && extensions.arrayLock.unlock);
}
