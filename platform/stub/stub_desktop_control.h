#pragma once
// Control of the desktop stand-in: the monitors, the pointer, whether another
// instance runs, the user's data folder, and what the program asked for.
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform::stub {

struct CreatedChild {
    std::string className;
    WindowHandle parent;
    int32_t x, y, width, height;
};

struct DesktopState {
    // Scripted results.
    std::vector<Monitor> monitors{{{0, 0, 1024, 768}, true}};
    Point pointer{512, 384};
    bool otherInstanceRuns = false;
    std::string userDataFolder;             // empty: none
    std::vector<WindowHandle> goneWindows;  // windows of other programs that no longer exist
    std::string windowsVersion = "Windows 10.0 build 19045";
    std::string wineVersion;  // empty: not under Wine

    // Recorded calls.
    std::vector<CreatedChild> children;
    std::vector<std::string> claimedInstances;
    std::vector<std::string> madeFolders;
    std::vector<uint32_t> waits;  // the time limit of each WaitMessageFor
};

DesktopState& desktop();
void ResetDesktop();  // back to the defaults above, nothing recorded

}  // namespace platform::stub
