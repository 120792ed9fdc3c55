// The list of display modes the device offers, sorted, for the log.
#include <algorithm>

#include "display/glwindow.h"

uint32_t GLwindow::EnumScreenModes() {
    uint32_t reported = 0;
    ScreenMode mode;
    while (platform::EnumDisplayMode(reported, mode)) {
        modes.push_back(mode);
        ++reported;
    }
    std::stable_sort(modes.begin(), modes.end());
    LogModes();
    return reported;
}

void GLwindow::LogModes() const {
    if (!log) return;
    std::fprintf(log, "[Screen Mode Enumeration]\n");
    std::fprintf(log, "original  : %4u x %4u, %2u bit @ %3u Hz \n", desktopMode.width, desktopMode.height,
                 desktopMode.bits, desktopMode.frequency);
    for (const ScreenMode& m : modes)
        std::fprintf(log, "available : %4u x %4u, %2u bit @ %3u Hz \n", m.width, m.height, m.bits, m.frequency);
    std::fprintf(log, "\n");
}
