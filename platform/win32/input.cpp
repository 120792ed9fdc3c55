// The pointer, mouse capture and joystick 1 on Win32.
#include "platform/win32/win32.h"

#include "platform/input.h"

namespace platform {
using win32::ToHwnd;

static_assert(vk::Shift == VK_SHIFT && vk::Left == VK_LEFT && vk::Up == VK_UP);
static_assert(vk::Right == VK_RIGHT && vk::Down == VK_DOWN);
static_assert(vk::A == 'A' && vk::Z == 'Z');
static_assert(joy_button::Button1 == JOY_BUTTON1 && joy_button::Button2 == JOY_BUTTON2);
static_assert(joy_button::Button3 == JOY_BUTTON3 && joy_button::Button4 == JOY_BUTTON4);

Rect ClientRect(WindowHandle window) {
    RECT rect{};
    GetClientRect(ToHwnd(window), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Point ClientToScreen(WindowHandle window, Point client) {
    POINT point{client.x, client.y};
    ::ClientToScreen(ToHwnd(window), &point);
    return {point.x, point.y};
}

void SetPointerPosition(Point screen) { SetCursorPos(screen.x, screen.y); }

// The system keeps a display count; these loops bring it to exactly hidden or
// shown however often activation repeats itself.
void ShowPointer(bool show) {
    if (show) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        while (ShowCursor(TRUE) < 0) {
        }
    } else {
        while (ShowCursor(FALSE) >= 0) {
        }
    }
}

void CaptureMouse(WindowHandle window) { SetCapture(ToHwnd(window)); }

void ReleaseMouse() { ReleaseCapture(); }

bool JoystickCapabilities(JoystickRanges& ranges) {
    JOYCAPSA caps{};
    if (joyGetDevCapsA(JOYSTICKID1, &caps, sizeof(caps)) != JOYERR_NOERROR) return false;
    ranges = {caps.wXmin, caps.wXmax, caps.wYmin, caps.wYmax, caps.wZmin, caps.wZmax};
    return true;
}

bool JoystickAnswers() {
    JOYINFO info{};
    return joyGetPos(JOYSTICKID1, &info) == JOYERR_NOERROR;
}

bool CaptureJoystick(WindowHandle window, uint32_t periodMs) {
    return joySetCapture(ToHwnd(window), JOYSTICKID1, periodMs, TRUE) == JOYERR_NOERROR;
}

bool ReleaseJoystick() { return joyReleaseCapture(JOYSTICKID1) == JOYERR_NOERROR; }

}  // namespace platform
