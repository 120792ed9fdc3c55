// UTF-8 <-> UTF-16 for the wide Win32 calls, the one place the program's
// texts change form.
#include <climits>
#include <cstring>
#include <cwchar>

#include "platform/win32/win32.h"

namespace platform::win32 {

std::wstring Utf16(const char* utf8, size_t length) {
    if (utf8 == nullptr || length == 0 || length > INT_MAX) return {};
    const int size = static_cast<int>(length);
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8, size, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, size, wide.data(), needed);
    return wide;
}

std::wstring Utf16(const char* utf8) { return utf8 ? Utf16(utf8, std::strlen(utf8)) : std::wstring(); }

std::string Utf8(const wchar_t* utf16, size_t length) {
    if (utf16 == nullptr || length == 0 || length > INT_MAX) return {};
    const int size = static_cast<int>(length);
    const int needed = WideCharToMultiByte(CP_UTF8, 0, utf16, size, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string narrow(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, size, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

std::string Utf8(const wchar_t* utf16) { return utf16 ? Utf8(utf16, std::wcslen(utf16)) : std::string(); }

}  // namespace platform::win32
