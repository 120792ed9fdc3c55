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

#include <string>

#include "platform/platform.h"

namespace platform::win32 {
inline HWND ToHwnd(WindowHandle window) { return static_cast<HWND>(window); }
inline HANDLE ToHandle(ConsoleHandle handle) { return static_cast<HANDLE>(handle); }

// The program holds its texts in UTF-8; the system's wide (...W) calls take
// UTF-16. These two convert between them (utf16.cpp), so that a text outside
// the ANSI code page (a Cyrillic folder on a Western system) keeps every
// character. Ill-formed input gives U+FFFD where it fails, never a shorter
// or overrun text.
std::wstring Utf16(const char* utf8, size_t length);
std::wstring Utf16(const char* utf8);  // up to its terminating zero; null gives an empty text
std::string Utf8(const wchar_t* utf16, size_t length);
std::string Utf8(const wchar_t* utf16);
}  // namespace platform::win32
