#include "display/extensions.h"

#include "display/glwindow.h"
#include "platform/gl_context.h"

namespace extensions {
SwapIntervalProc wglSwapIntervalEXT = nullptr;
GetSwapIntervalProc wglGetSwapIntervalEXT = nullptr;
LockArraysProc glLockArraysEXT = nullptr;
UnlockArraysProc glUnlockArraysEXT = nullptr;

namespace {
// Looks up both entry points of an extension the context offers, or says
// on the console that it is missing. A failed look-up keeps what it returned.
template <typename First, typename Second>
void LookUpPair(Console& console, const char* extension, const char* firstName, First& first,
                const char* secondName, Second& second) {
    if (!GLwindow::HasExtension(extension)) {
        console.Printf("%s not supported \n", extension);
        return;
    }
    first = reinterpret_cast<First>(platform::GetGLProcAddress(firstName));
    second = reinterpret_cast<Second>(platform::GetGLProcAddress(secondName));
    if (!first || !second) console.Printf("wglGetProcAddress() failure \n");
}
}  // namespace

void LookUp(bool lockArrays, Console& console) {
    LookUpPair(console, "WGL_EXT_swap_control", "wglSwapIntervalEXT", wglSwapIntervalEXT, "wglGetSwapIntervalEXT",
               wglGetSwapIntervalEXT);
    LookUpPair(console, "GL_EXT_compiled_vertex_array", "glLockArraysEXT", glLockArraysEXT, "glUnlockArraysEXT",
               glUnlockArraysEXT);
    if (!lockArrays) {
        glLockArraysEXT = nullptr;
        glUnlockArraysEXT = nullptr;
    }
}
}  // namespace extensions
