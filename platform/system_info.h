#pragma once
// What a results file says of the system it was measured on: the Windows
// version, and Wine's where the program runs under Wine, so that a figure can
// be explained later by the system that gave it.
#include <string>

namespace platform {

// The version Windows reports of itself, e.g. "Windows 10.0 build 19045",
// whatever the program's manifest claims to support.
std::string WindowsVersion();
// Wine's version, e.g. "8.0"; empty when the program does not run under Wine.
std::string WineVersion();

}  // namespace platform
