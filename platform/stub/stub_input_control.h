#pragma once
// Control of the input stand-in: the window's client area and screen place,
// the joystick a test pretends to have, and what the devices asked for.
#include <vector>

#include "platform/input.h"

namespace platform::stub {

struct InputState {
    // Scripted results.
    Rect clientRect{0, 0, 640, 480};
    Point clientOrigin{100, 50};  // screen position of the client area's top-left corner
    bool joystickHasDriver = true;
    JoystickRanges joystickRanges{0, 65535, 0, 65535, 0, 65535};
    bool joystickAnswers = false;  // no joystick plugged in
    bool joystickCaptureAccepted = true;

    // Recorded calls (they are also listed in order in state().calls).
    std::vector<Point> pointerPositions;  // screen positions the pointer was put at
    bool pointerShown = true;
    WindowHandle mouseCapture = nullptr;
    WindowHandle joystickCaptureWindow = nullptr;
    uint32_t joystickCapturePeriod = 0;
    int joystickReleases = 0;
};

InputState& input();
void ResetInput();  // back to the defaults above, nothing recorded

}  // namespace platform::stub
