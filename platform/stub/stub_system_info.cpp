// The system's versions in the stand-in: the desktop state's scripted texts.
#include "platform/stub/stub_desktop_control.h"
#include "platform/system_info.h"

namespace platform {
std::string WindowsVersion() { return stub::desktop().windowsVersion; }
std::string WineVersion() { return stub::desktop().wineVersion; }
}  // namespace platform
