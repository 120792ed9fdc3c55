#pragma once
// The mouse as the flight model sees it: the pointer's last position and
// movement, the buttons, and when each last reported. In captured (relative)
// mode the pointer is pinned to the client centre and only its movements count.
#include <cstdint>
#include <vector>

#include "platform/input.h"

class Mouse {
public:
    enum Channel : uint32_t { X = 0, Y, Z, LEFT, MIDDLE, RIGHT, kChannelCount };

    struct ChannelRecord {
        uint32_t time = 0;  // tick count of the channel's last event
        int32_t value = 0;  // position in client coordinates, or 1 while a button is held
        int32_t delta = 0;  // movement of the last event
    };

    Mouse();

    // Pointer movement. Returns 3 when the message is the echo of the warp
    // back to the centre (ignored), else 2.
    int Move(uintptr_t wParam, intptr_t lParam);
    int LeftDown(uintptr_t wParam, intptr_t lParam);   // returns 1
    int LeftUp(uintptr_t wParam, intptr_t lParam);     // returns 0
    int RightDown(uintptr_t wParam, intptr_t lParam);  // returns 1
    int RightUp(uintptr_t wParam, intptr_t lParam);    // returns 0

    // Switches relative mode on or off; both put the pointer at the client
    // centre computed by the last switch-on.
    void Capture(bool on, platform::WindowHandle window);

    bool changed = true;  // a mouse event arrived since the last frame
    std::vector<ChannelRecord> channels;
    platform::Point warpTarget;    // the client centre in screen coordinates
    platform::Point clientCentre;  // the client centre in client coordinates
    bool captured = false;

private:
    int SetButton(Channel channel, int32_t value);
};
