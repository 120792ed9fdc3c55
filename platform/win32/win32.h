#pragma once
// Shared by the Win32 implementation files only.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, whose types it uses.
#include <mmsystem.h>

#include "platform/platform.h"

namespace platform::win32 {
inline HWND ToHwnd(WindowHandle window) { return static_cast<HWND>(window); }
inline HANDLE ToHandle(ConsoleHandle handle) { return static_cast<HANDLE>(handle); }
}  // namespace platform::win32
