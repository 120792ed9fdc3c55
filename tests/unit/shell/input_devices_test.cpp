// The input devices: message handling, relative mouse mode, joystick scaling,
// and the window procedure's routing of device messages.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"
#include "shell/program_objects.h"
#include "shell/window_proc.h"

namespace {

using platform::Point;
using platform::stub::input;
using platform::stub::state;
namespace msg = platform::msg;
namespace vk = platform::vk;

constexpr intptr_t kRepeatBit = intptr_t{1} << 30;

intptr_t PointParam(int x, int y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}

class InputDevices : public ::testing::Test {
protected:
    void SetUp() override {
        platform::stub::Reset();
        platform::stub::ResetInput();
    }
    platform::WindowHandle window = reinterpret_cast<platform::WindowHandle>(0x1010);
};

TEST_F(InputDevices, KeyboardStartsAllUpAndChanged) {
    Keyboard keys;
    EXPECT_TRUE(keys.changed);
    ASSERT_EQ(keys.keys.size(), 256u);
    EXPECT_TRUE(std::none_of(keys.keys.begin(), keys.keys.end(), [](const Keyboard::Key& k) { return k.down; }));
}

TEST_F(InputDevices, HeldKeyMakesOneTransitionAndAutoRepeatChangesNothing) {
    Keyboard keys;
    EXPECT_EQ(keys.KeyDown(vk::Left, 1), 1);
    EXPECT_TRUE(keys.Down(vk::Left));
    keys.changed = false;
    EXPECT_EQ(keys.KeyDown(vk::Left, kRepeatBit | 1), 2);
    EXPECT_FALSE(keys.changed);
    EXPECT_TRUE(keys.Down(vk::Left));
    EXPECT_EQ(keys.KeyUp(vk::Left, 0), 0);
    EXPECT_FALSE(keys.Down(vk::Left));
    EXPECT_TRUE(keys.changed);
    // A repeat bit never presses a key that is up.
    EXPECT_EQ(keys.KeyDown(vk::Up, kRepeatBit), 2);
    EXPECT_FALSE(keys.Down(vk::Up));
}

TEST_F(InputDevices, KeyCodesOutsideTheTableAreIgnored) {
    Keyboard keys;
    keys.changed = false;
    EXPECT_EQ(keys.KeyDown(256, 0), 0);
    EXPECT_EQ(keys.KeyUp(0x12345, 0), 0);
    EXPECT_FALSE(keys.changed);
    EXPECT_FALSE(keys.Down(256));
    keys.KeyDown(0xFF, 0);
    EXPECT_TRUE(keys.Down(0xFF));
}

TEST_F(InputDevices, MouseStartsZeroedWithTheCurrentTime) {
    state().tickCount = 4242;
    Mouse m;
    EXPECT_TRUE(m.changed);
    EXPECT_FALSE(m.captured);
    ASSERT_EQ(m.channels.size(), 6u);
    for (const Mouse::ChannelRecord& c : m.channels) {
        EXPECT_EQ(c.time, 4242u);
        EXPECT_EQ(c.value, 0);
        EXPECT_EQ(c.delta, 0);
    }
}

TEST_F(InputDevices, UncapturedMoveMeasuresFromTheLastPosition) {
    Mouse m;
    state().tickCount = 77;
    EXPECT_EQ(m.Move(0, PointParam(10, 20)), 2);
    EXPECT_EQ(m.channels[Mouse::X].delta, 10);
    EXPECT_EQ(m.channels[Mouse::Y].delta, 20);
    // Left of and above the window the coordinates are negative.
    EXPECT_EQ(m.Move(0, PointParam(-5, -3)), 2);
    EXPECT_EQ(m.channels[Mouse::X].value, -5);
    EXPECT_EQ(m.channels[Mouse::Y].value, -3);
    EXPECT_EQ(m.channels[Mouse::X].delta, -15);
    EXPECT_EQ(m.channels[Mouse::Y].delta, -23);
    EXPECT_EQ(m.channels[Mouse::X].time, 77u);
    EXPECT_EQ(m.channels[Mouse::Y].time, 77u);
    EXPECT_TRUE(input().pointerPositions.empty());  // no warping outside relative mode
}

TEST_F(InputDevices, ClientCentreRoundsTowardZero) {
    for (auto size : {Point{640, 480}, Point{641, 481}}) {
        input().clientRect = {0, 0, size.x, size.y};
        Mouse m;
        m.Capture(true, window);
        EXPECT_EQ(m.clientCentre.x, 320);
        EXPECT_EQ(m.clientCentre.y, 240);
        EXPECT_EQ(m.warpTarget.x, 420);  // client origin (100, 50) on the screen
        EXPECT_EQ(m.warpTarget.y, 290);
    }
}

TEST_F(InputDevices, CapturedMoveGivesTheDisplacementAndWarpsBack) {
    Mouse m;
    m.Capture(true, window);
    ASSERT_EQ(input().pointerPositions.size(), 1u);  // the capture pins the pointer
    EXPECT_EQ(m.channels[Mouse::X].value, 320);
    EXPECT_EQ(m.channels[Mouse::Y].value, 240);

    m.changed = false;
    EXPECT_EQ(m.Move(0, PointParam(325, 240)), 2);
    EXPECT_EQ(m.channels[Mouse::X].delta, 5);
    EXPECT_EQ(m.channels[Mouse::Y].delta, 0);
    EXPECT_TRUE(m.changed);
    ASSERT_EQ(input().pointerPositions.size(), 2u);
    EXPECT_EQ(input().pointerPositions.back().x, 420);
    EXPECT_EQ(input().pointerPositions.back().y, 290);

    // The echo of that warp changes nothing, not even the flag.
    m.changed = false;
    EXPECT_EQ(m.Move(0, PointParam(320, 240)), 3);
    EXPECT_FALSE(m.changed);
    EXPECT_EQ(m.channels[Mouse::X].delta, 5);
    EXPECT_EQ(m.channels[Mouse::X].value, 325);
    EXPECT_EQ(input().pointerPositions.size(), 2u);

    // Moving on in the same direction counts again from the centre.
    m.Move(0, PointParam(323, 236));
    EXPECT_EQ(m.channels[Mouse::X].delta, 3);
    EXPECT_EQ(m.channels[Mouse::Y].delta, -4);
}

TEST_F(InputDevices, ReleasingRelativeModeReturnsThePointerToTheCentre) {
    Mouse m;
    m.Capture(false, window);  // never switched on: the screen origin
    ASSERT_EQ(input().pointerPositions.size(), 1u);
    EXPECT_EQ(input().pointerPositions[0].x, 0);
    EXPECT_EQ(input().pointerPositions[0].y, 0);

    m.Capture(true, window);
    m.Move(0, PointParam(400, 300));
    input().clientRect = {0, 0, 100, 100};  // a later resize does not count until the next switch-on
    m.changed = false;
    m.Capture(false, window);
    EXPECT_FALSE(m.captured);
    EXPECT_TRUE(m.changed);
    EXPECT_EQ(input().pointerPositions.back().x, 420);
    EXPECT_EQ(m.channels[Mouse::X].value, 320);
    // Uncaptured, the next move measures from the centre.
    m.Move(0, PointParam(330, 250));
    EXPECT_EQ(m.channels[Mouse::X].delta, 10);
    EXPECT_EQ(m.channels[Mouse::Y].delta, 10);
}

TEST_F(InputDevices, MouseButtonsKeepTheirValueAndTime) {
    Mouse m;
    m.changed = false;
    state().tickCount = 1000;
    EXPECT_EQ(m.LeftDown(0, 0), 1);
    state().tickCount = 2000;
    EXPECT_EQ(m.RightDown(0, 0), 1);
    EXPECT_EQ(m.channels[Mouse::LEFT].value, 1);
    EXPECT_EQ(m.channels[Mouse::LEFT].time, 1000u);
    EXPECT_EQ(m.channels[Mouse::RIGHT].value, 1);
    EXPECT_EQ(m.channels[Mouse::RIGHT].time, 2000u);
    EXPECT_TRUE(m.changed);
    EXPECT_EQ(m.LeftUp(0, 0), 0);
    EXPECT_EQ(m.RightUp(0, 0), 0);
    EXPECT_EQ(m.channels[Mouse::LEFT].value, 0);
    EXPECT_EQ(m.channels[Mouse::RIGHT].value, 0);
    EXPECT_EQ(m.channels[Mouse::X].time, 0u);  // buttons leave the movement channels alone
}

TEST_F(InputDevices, JoystickScalesItsFullRangeToMinusOnePlusOne) {
    state().tickCount = 500;
    Joystick stick;
    EXPECT_FLOAT_EQ(stick.axes[Joystick::X].scale, 2.0f / 65535.0f);
    EXPECT_EQ(stick.axes[Joystick::X].time, 500u);
    EXPECT_EQ(stick.axes[Joystick::Z].max, 65535u);

    state().tickCount = 600;
    stick.changed = false;
    EXPECT_EQ(stick.Move(0, PointParam(0, 0xFFFF)), 2);
    EXPECT_FLOAT_EQ(stick.axes[Joystick::X].value, -1.0f);
    EXPECT_NEAR(stick.axes[Joystick::Y].value, 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(stick.axes[Joystick::X].delta, -1.0f);
    EXPECT_EQ(stick.axes[Joystick::X].time, 600u);
    EXPECT_EQ(stick.axes[Joystick::Y].time, 600u);
    EXPECT_TRUE(stick.changed);

    stick.Move(0, PointParam(0x8000, 0x8000));
    EXPECT_NEAR(stick.axes[Joystick::X].value, 0.0f, 1e-4f);
    EXPECT_NEAR(stick.axes[Joystick::Y].delta, -1.0f, 1e-4f);
    EXPECT_EQ(stick.axes[Joystick::Z].value, 0.0f);  // no message moves z
}

TEST_F(InputDevices, JoystickRangeOffsetsAndEqualLimits) {
    input().joystickRanges = {1000, 3000, 7, 7, 0, 255};
    Joystick stick;
    EXPECT_FLOAT_EQ(stick.axes[Joystick::X].scale, 0.001f);
    EXPECT_EQ(stick.axes[Joystick::Y].scale, 1.0f);
    EXPECT_FLOAT_EQ(stick.axes[Joystick::Z].scale, 2.0f / 255.0f);
    stick.Move(0, PointParam(2000, 7));
    EXPECT_NEAR(stick.axes[Joystick::X].value, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(stick.axes[Joystick::Y].value, -1.0f);
    stick.Move(0, PointParam(3000, 8));
    EXPECT_FLOAT_EQ(stick.axes[Joystick::X].value, 1.0f);
    EXPECT_FLOAT_EQ(stick.axes[Joystick::Y].value, 0.0f);
}

TEST_F(InputDevices, JoystickWithoutDriverStaysCentredAndStillMapsIntoRange) {
    input().joystickHasDriver = false;
    Joystick stick;
    EXPECT_EQ(stick.axes[Joystick::X].value, 0.0f);
    EXPECT_FALSE(stick.buttons[0].down);
    stick.Move(0, PointParam(0xFFFF, 0));
    EXPECT_NEAR(stick.axes[Joystick::X].value, 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(stick.axes[Joystick::Y].value, -1.0f);
}

TEST_F(InputDevices, JoystickButtonsFollowTheStateBits) {
    Joystick stick;
    stick.changed = false;
    EXPECT_EQ(stick.Buttons(platform::joy_button::Button1, 0), 1);
    EXPECT_TRUE(stick.buttons[0].down);
    EXPECT_TRUE(stick.changed);
    // Button 2 pressed while 1 is held: the message carries both bits (and the change bit).
    stick.Buttons(platform::joy_button::Button1 | platform::joy_button::Button2 | 0x200, 0);
    EXPECT_TRUE(stick.buttons[0].down);
    EXPECT_TRUE(stick.buttons[1].down);
    EXPECT_FALSE(stick.buttons[2].down);
    stick.Buttons(platform::joy_button::Button4, 0);
    EXPECT_FALSE(stick.buttons[0].down);
    EXPECT_FALSE(stick.buttons[1].down);
    EXPECT_TRUE(stick.buttons[3].down);
}

TEST_F(InputDevices, JoystickCaptureAndPresence) {
    Joystick stick;
    EXPECT_FALSE(Joystick::Present());
    input().joystickAnswers = true;
    EXPECT_TRUE(Joystick::Present());
    EXPECT_TRUE(stick.Capture(true, window));
    EXPECT_EQ(input().joystickCaptureWindow, window);
    EXPECT_EQ(input().joystickCapturePeriod, 25u);
    EXPECT_TRUE(stick.Capture(false, window));
    EXPECT_EQ(input().joystickReleases, 1);
    input().joystickCaptureAccepted = false;
    EXPECT_FALSE(stick.Capture(true, window));
}

// The window procedure hands the device messages to the program-wide devices.
class DeviceRouting : public InputDevices {
protected:
    void SetUp() override {
        ResetProgramObjects();
        InputDevices::SetUp();
    }
};

TEST_F(DeviceRouting, KeysIncludingSystemKeysReachTheKeyboard) {
    EXPECT_EQ(WndProc(window, msg::KeyDown, vk::A, 1), 0);
    EXPECT_EQ(WndProc(window, msg::SysKeyDown, vk::Z, 1), 0);
    EXPECT_TRUE(keyboard.Down(vk::A));
    EXPECT_TRUE(keyboard.Down(vk::Z));
    WndProc(window, msg::KeyUp, vk::A, 0);
    WndProc(window, msg::SysKeyUp, vk::Z, 0);
    EXPECT_FALSE(keyboard.Down(vk::A));
    EXPECT_FALSE(keyboard.Down(vk::Z));
}

TEST_F(DeviceRouting, MouseAndJoystickMessagesReachTheirDevices) {
    WndProc(window, msg::MouseMove, 0, PointParam(12, 34));
    WndProc(window, msg::LeftButtonDown, 1, 0);
    WndProc(window, msg::RightButtonDown, 2, 0);
    EXPECT_EQ(mouse.channels[Mouse::X].value, 12);
    EXPECT_EQ(mouse.channels[Mouse::Y].value, 34);
    EXPECT_EQ(mouse.channels[Mouse::LEFT].value, 1);
    EXPECT_EQ(mouse.channels[Mouse::RIGHT].value, 1);
    WndProc(window, msg::LeftButtonUp, 0, 0);
    WndProc(window, msg::RightButtonUp, 0, 0);
    EXPECT_EQ(mouse.channels[Mouse::LEFT].value, 0);
    EXPECT_EQ(mouse.channels[Mouse::RIGHT].value, 0);

    WndProc(window, msg::Joy1Move, 0, PointParam(0xFFFF, 0));
    EXPECT_NEAR(joystick.axes[Joystick::X].value, 1.0f, 1e-6f);
    WndProc(window, msg::Joy1ButtonDown, 3, 0);
    EXPECT_TRUE(joystick.buttons[1].down);
    WndProc(window, msg::Joy1ButtonUp, 1, 0);
    EXPECT_FALSE(joystick.buttons[1].down);
    EXPECT_TRUE(joystick.buttons[0].down);
}

TEST_F(DeviceRouting, ActivationSwitchesRelativeModeAndThePointer) {
    WndProc(window, msg::Activate, 1, 0);
    EXPECT_TRUE(mouse.captured);
    EXPECT_FALSE(input().pointerShown);
    EXPECT_EQ(input().mouseCapture, window);
    ASSERT_FALSE(input().pointerPositions.empty());
    EXPECT_EQ(input().pointerPositions.back().x, 420);

    WndProc(window, msg::Activate, 0, 0);
    EXPECT_FALSE(mouse.captured);
    EXPECT_TRUE(input().pointerShown);
    EXPECT_EQ(input().mouseCapture, nullptr);
    EXPECT_EQ(input().pointerPositions.back().x, 420);  // left at the centre
}

TEST_F(DeviceRouting, JoystickIsCapturedOnlyWhenPresent) {
    WndProc(window, msg::Create, 0, 0);
    WndProc(window, msg::Destroy, 0, 0);
    EXPECT_EQ(std::count(state().calls.begin(), state().calls.end(), "CaptureJoystick"), 0);
    EXPECT_EQ(input().joystickReleases, 0);

    joystickPresent = true;
    WndProc(window, msg::Create, 0, 0);
    EXPECT_EQ(input().joystickCaptureWindow, window);
    WndProc(window, msg::Destroy, 0, 0);
    EXPECT_EQ(input().joystickReleases, 1);
    joystickPresent = false;
}

}  // namespace
