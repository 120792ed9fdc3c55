// Monitors, other programs' windows, the pointer, the instance claim, the
// user's data folder and waiting with a time limit on Win32.
#include "platform/win32/win32.h"
// After windows.h, whose types it uses.
#include <shlobj.h>

#include "platform/desktop.h"

namespace platform {
using win32::ToHwnd;

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM found) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back the vector's address
    reinterpret_cast<std::vector<Monitor>*>(found)->push_back(
        {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}
}  // namespace

std::vector<Monitor> Monitors() {
    std::vector<Monitor> found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    if (found.empty())
        found.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, true});
    return found;
}

WindowHandle MakeChildWindow(const char* className, WindowHandle parent, int32_t x, int32_t y, int32_t width,
                             int32_t height) {
    return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y,
                           width, height, ToHwnd(parent), nullptr, GetModuleHandleA(nullptr), nullptr);
}

bool WindowExists(WindowHandle window) { return window != nullptr && IsWindow(ToHwnd(window)) != 0; }

Point PointerPosition() {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

bool ClaimInstance(const char* name) {
    // The handle stays open until the process ends, which ends the claim.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    return mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}

// Wide: a user name, and with it the folder, may hold any characters.
std::string UserDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path))) return win32::Utf8(path);
    return {};
}

bool MakeFolder(const std::string& path) {
    const std::wstring wide = win32::Utf16(path.c_str());
    if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void WaitMessageFor(uint32_t milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

}  // namespace platform
