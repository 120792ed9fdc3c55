#pragma once
// Joystick 1 as the flight model sees it: where the stick points, scaled to
// -1 ... +1 per axis, when it last reported, and which buttons are held.
// Positions arrive as messages from the multimedia joystick service.
#include <cstdint>
#include <vector>

#include "platform/platform.h"

class Joystick {
public:
    enum AxisIndex : uint32_t { X = 0, Y, Z, kAxisCount };
    static constexpr uint32_t kButtonCount = 4;
    static constexpr uint32_t kPollPeriodMs = 25;

    struct Axis {
        float value = 0.0f;  // position, -1 at the range's minimum, +1 at its maximum
        float delta = 0.0f;  // change of value at the last event
        float scale = 1.0f;  // 2 / (max - min), or 1 when max equals min
        uint32_t time = 0;   // tick count of the last event
        uint32_t min = 0;
        uint32_t max = 0;
    };
    struct Button {
        bool down = false;
    };

    Joystick();

    // Position message: x in the low, y in the high 16 bits of lParam. Returns 2.
    int Move(uintptr_t wParam, intptr_t lParam);
    // Button message: the state of buttons 1 to 4 in bits 0 to 3 of wParam. Returns 1.
    int Buttons(uintptr_t wParam, intptr_t lParam);

    // On: the service sends joystick 1's messages to the window, polling
    // every 25 ms and only on change. Off: releases the capture. True when
    // the service accepted.
    bool Capture(bool on, platform::WindowHandle window);
    // True when joystick 1 answers a position query.
    static bool Present();

    bool changed = true;  // a joystick event arrived since the last frame
    std::vector<Axis> axes;
    std::vector<Button> buttons;
};
