// The Windows and Wine versions on Win32.
#include "platform/system_info.h"

#include <string>

#include "platform/win32/win32.h"

namespace platform {

namespace {
// Looks an entry point up in ntdll, where both versions are told; null where
// it is not there.
template <typename Function>
Function NtdllFunction(const char* name) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll) return nullptr;
    // NOLINTNEXTLINE(bugprone-casting-through-void): GetProcAddress hands back every entry point as FARPROC
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}
}  // namespace

std::string WindowsVersion() {
    // GetVersionEx answers what the manifest names as the newest supported
    // system; RtlGetVersion answers the truth.
    using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = NtdllFunction<RtlGetVersionProc>("RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) return "Windows (version unknown)";
    return "Windows " + std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion) +
           " build " + std::to_string(info.dwBuildNumber);
}

std::string WineVersion() {
    using WineGetVersionProc = const char*(CDECL*)();
    const auto wineGetVersion = NtdllFunction<WineGetVersionProc>("wine_get_version");
    const char* version = wineGetVersion ? wineGetVersion() : nullptr;
    return version ? version : "";
}

}  // namespace platform
