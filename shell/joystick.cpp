#include "shell/joystick.h"

#include "platform/input.h"

using namespace platform;

namespace {
// Without a driver the service reports nothing, and no message arrives. The
// axes then take the service's usual range, so that a stray message would
// still map into -1 ... +1.
constexpr uint32_t kDefaultAxisMax = 65535;

void SetRange(Joystick::Axis& axis, uint32_t min, uint32_t max) {
    axis.min = min;
    axis.max = max;
    axis.scale = max == min ? 1.0f : 2.0f / (static_cast<float>(max) - static_cast<float>(min));
}

void MoveAxis(Joystick::Axis& axis, uint32_t raw, uint32_t now) {
    float position = (static_cast<float>(raw) - static_cast<float>(axis.min)) * axis.scale - 1.0f;
    axis.delta = position - axis.value;
    axis.value = position;
    axis.time = now;
}
}  // namespace

Joystick::Joystick() : axes(kAxisCount), buttons(kButtonCount) {
    JoystickRanges ranges{0, kDefaultAxisMax, 0, kDefaultAxisMax, 0, kDefaultAxisMax};
    JoystickCapabilities(ranges);
    SetRange(axes[X], ranges.xMin, ranges.xMax);
    SetRange(axes[Y], ranges.yMin, ranges.yMax);
    SetRange(axes[Z], ranges.zMin, ranges.zMax);
    uint32_t now = TickCount();
    for (Axis& axis : axes) axis.time = now;
}

int Joystick::Move(uintptr_t, intptr_t lParam) {
    uint32_t now = TickCount();
    MoveAxis(axes[X], static_cast<uint32_t>(lParam & 0xFFFF), now);
    MoveAxis(axes[Y], static_cast<uint32_t>((lParam >> 16) & 0xFFFF), now);
    changed = true;
    return 2;
}

int Joystick::Buttons(uintptr_t wParam, intptr_t) {
    for (uint32_t i = 0; i < kButtonCount; ++i) buttons[i].down = (wParam >> i) & 1u;
    changed = true;
    return 1;
}

bool Joystick::Capture(bool on, WindowHandle window) {
    return on ? CaptureJoystick(window, kPollPeriodMs) : ReleaseJoystick();
}

bool Joystick::Present() { return JoystickAnswers(); }
