#pragma once
// When an unattended screensaver ends: on any key, any mouse button, the
// pointer moved more than a few pixels from where it was when the saver
// started (jitter and a desk's tremor are no reason to end), or the loss of
// activation to another program. Activation passing between the saver's own
// windows (one a monitor) is no reason to end.
#include <cstdint>

#include "platform/input.h"

struct ExitWatch {
    // A move ends the saver when it takes the pointer further than this
    // from its starting place, across or down.
    static constexpr int32_t kPointerSlack = 8;

    platform::Point start;  // the pointer when the saver started

    // True when the message ends the saver; `pointer` is where the pointer
    // is now, in screen coordinates.
    bool Ends(uint32_t message, uintptr_t wParam, platform::Point pointer) const;
};
