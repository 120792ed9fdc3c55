#pragma once
// The platform services of the input devices: the pointer, mouse capture and
// joystick 1 of the multimedia joystick service.
#include <cstdint>

#include "platform/platform.h"

namespace platform {

struct Point {
    int32_t x = 0, y = 0;
};

// --- Pointer and mouse -----------------------------------------------------
Rect ClientRect(WindowHandle window);  // left and top are 0
Point ClientToScreen(WindowHandle window, Point client);
void SetPointerPosition(Point screen);
// Hides or shows the pointer; showing also sets the standard arrow pointer.
void ShowPointer(bool show);
void CaptureMouse(WindowHandle window);  // the window receives every mouse message
void ReleaseMouse();

// --- Joystick 1 ------------------------------------------------------------
struct JoystickRanges {
    uint32_t xMin = 0, xMax = 0;
    uint32_t yMin = 0, yMax = 0;
    uint32_t zMin = 0, zMax = 0;
};
// The axis ranges reported by the driver; false when joystick 1 has no driver.
bool JoystickCapabilities(JoystickRanges& ranges);
// True when a position query of joystick 1 succeeds.
bool JoystickAnswers();
// Asks the service to send joystick 1's messages to the window, polling every
// `periodMs` milliseconds and sending only on change; true when accepted.
bool CaptureJoystick(WindowHandle window, uint32_t periodMs);
bool ReleaseJoystick();

}  // namespace platform
