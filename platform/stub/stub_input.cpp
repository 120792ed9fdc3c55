// The input stand-in: answers from the scripted input state and records what
// the devices asked for.
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"

namespace platform {
namespace stub {
InputState& input() {
    static InputState instance;
    return instance;
}
void ResetInput() { input() = InputState{}; }
}  // namespace stub

namespace {
stub::InputState& I() { return stub::input(); }
void Record(const char* call) { stub::state().calls.emplace_back(call); }
}  // namespace

Rect ClientRect(WindowHandle) { return I().clientRect; }

Point ClientToScreen(WindowHandle, Point client) {
    return {client.x + I().clientOrigin.x, client.y + I().clientOrigin.y};
}

void SetPointerPosition(Point screen) {
    Record("SetPointerPosition");
    I().pointerPositions.push_back(screen);
}

void ShowPointer(bool show) {
    Record(show ? "ShowPointer(show)" : "ShowPointer(hide)");
    I().pointerShown = show;
}

void CaptureMouse(WindowHandle window) {
    Record("CaptureMouse");
    I().mouseCapture = window;
}

void ReleaseMouse() {
    Record("ReleaseMouse");
    I().mouseCapture = nullptr;
}

bool JoystickCapabilities(JoystickRanges& ranges) {
    if (!I().joystickHasDriver) return false;
    ranges = I().joystickRanges;
    return true;
}

bool JoystickAnswers() { return I().joystickAnswers; }

bool CaptureJoystick(WindowHandle window, uint32_t periodMs) {
    Record("CaptureJoystick");
    if (!I().joystickCaptureAccepted) return false;
    I().joystickCaptureWindow = window;
    I().joystickCapturePeriod = periodMs;
    return true;
}

bool ReleaseJoystick() {
    Record("ReleaseJoystick");
    ++I().joystickReleases;
    I().joystickCaptureWindow = nullptr;
    return true;
}

}  // namespace platform
