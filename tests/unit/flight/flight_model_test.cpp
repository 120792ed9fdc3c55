// The flight model: step and flight.speed limits, the three devices' steering, the
// idle rules and the flight.autopilot.
#include <cmath>

#include "flight_fixture.h"

namespace {

namespace vk = platform::vk;
using platform::stub::state;

bool IsFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

class Flight : public FlightFixture {};

// The flight starts at rest, at the speed limit 0.2 flown in steps of 0.2 / 30,
// idle until the mouse or the joystick is used.
TEST_F(Flight, StartsFromTheProgramsDefaults) {
    const FlightState start;
    EXPECT_EQ(start.maxSpeed, 0.2f);
    EXPECT_EQ(start.maxStep, 0.2f / 30.0f);
    EXPECT_EQ(start.speed, 0.0f);
    EXPECT_TRUE(start.mouseIdle && start.joystickIdle && start.autopilot);
    EXPECT_EQ(start.mouseHistory.count, 0u);
}

TEST_F(Flight, StepIsClampedToMaxStepNotSpeedTimesTime) {
    flight.speed = 0.2f;
    frameTime = 0.1f;
    Frame();
    EXPECT_NEAR(camera.position.z, 0.0066667f, 1e-7f);
    EXPECT_FLOAT_EQ(camera.position.z, flight.maxStep);

    frameTime = 1e30f;  // the machine slept
    flight.speed = -0.2f;
    Frame();
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-7f);

    frameTime = 0.0f;
    flight.speed = 0.2f;
    Frame();
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-7f);
    EXPECT_EQ(flight.speed, 0.2f);
}

TEST_F(Flight, SpeedIsClampedAfterAllDevicesAddUp) {
    flight.speed = 0.35f;  // above the limit from an earlier, higher flight.maxSpeed
    Frame();
    EXPECT_EQ(flight.speed, flight.maxSpeed);

    flight.speed = 0.0f;
    mouse.LeftDown(0, 0);
    joystick.Buttons(platform::joy_button::Button1, 0);
    keyboard.KeyDown(vk::A, 0);
    Frame();
    EXPECT_NEAR(flight.speed, 0.03f, 1e-6f);

    mouse.LeftUp(0, 0);
    mouse.RightDown(0, 0);
    joystick.Buttons(platform::joy_button::Button2, 0);
    keyboard.KeyUp(vk::A, 0);
    keyboard.KeyDown(vk::Z, 0);
    Frame(30);
    EXPECT_EQ(flight.speed, -flight.maxSpeed);
}

TEST_F(Flight, LeftButtonFor25FramesReachesTheLimitNotBeyond) {
    mouse.LeftDown(0, 0);
    Frame(25);
    EXPECT_EQ(flight.speed, 0.2f);
    mouse.LeftUp(0, 0);
    mouse.RightDown(0, 0);
    Frame(5);
    EXPECT_NEAR(flight.speed, 0.15f, 1e-6f);
}

TEST_F(Flight, BothMouseButtonsStopAndShiftInsteadOfTurning) {
    flight.speed = 0.1f;
    mouse.LeftDown(0, 0);
    mouse.RightDown(0, 0);
    Frame();
    EXPECT_EQ(flight.speed, 0.0f);

    // Right by 10 pixels: the average of four samples is 2.5.
    MoveMouse(10, 0);
    Frame();
    EXPECT_EQ(flight.speed, 0.0f);
    EXPECT_EQ(camera.yaw, 180.0f);
    EXPECT_NEAR(camera.position.x, -2.5f * flight.maxStep * 0.02f, 1e-9f);  // looking along +z, right is -x
    EXPECT_NEAR(camera.position.y, 0.0f, 1e-9f);

    // Down by 400 pixels: the shift is clamped to one step, downward.
    MoveMouse(0, 400);
    Frame();
    EXPECT_NEAR(camera.position.y, -flight.maxStep, 1e-9f);
    EXPECT_EQ(camera.pitch, 0.0f);
    EXPECT_EQ(flight.speed, 0.0f);
}

TEST_F(Flight, MouseSteeringAveragesTheLastFourMovements) {
    MoveMouse(8, 0);
    Frame();
    EXPECT_FLOAT_EQ(camera.yaw, 180.0f - 2.0f * 0.04f);  // (8 + 0 + 0 + 0) / 4

    // Without new reports the last delta keeps filling the ring, but nothing turns.
    Frame(3);
    EXPECT_FLOAT_EQ(camera.yaw, 180.0f - 2.0f * 0.04f);
    EXPECT_EQ(flight.mouseHistory.count, 4u);

    // A button press reports without moving: it applies the average (now 8) once.
    mouse.LeftDown(0, 0);
    Frame();
    EXPECT_FLOAT_EQ(camera.yaw, 180.0f - 2.0f * 0.04f - 8.0f * 0.04f);
    Frame();
    EXPECT_FLOAT_EQ(camera.yaw, 180.0f - 2.0f * 0.04f - 8.0f * 0.04f);
}

TEST_F(Flight, MouseDownLooksDownUnlessSwapped) {
    MoveMouse(0, 4);
    Frame();
    EXPECT_FLOAT_EQ(camera.pitch, -0.04f);
    swapUpDown = true;
    MoveMouse(0, 4);
    Frame();
    EXPECT_FLOAT_EQ(camera.pitch, -0.04f + 2.0f * 0.04f);  // averages 1 then 2 pixels
}

TEST_F(Flight, JoystickTurnsByRateTimesFrameTimeAndSwapReversesPitch) {
    frameTime = 0.05f;
    MoveStick(0.5f, 0.25f);
    Frame();
    EXPECT_FALSE(flight.joystickIdle);
    EXPECT_NEAR(camera.yaw, 180.0f - 0.5f * 120.0f * 0.05f, 2e-3f);
    EXPECT_NEAR(camera.pitch, 0.25f * 120.0f * 0.05f, 2e-3f);
    float pitch = camera.pitch;
    swapUpDown = true;
    Frame();
    EXPECT_NEAR(camera.pitch, pitch - 0.25f * 120.0f * 0.05f, 2e-3f);
}

TEST_F(Flight, JoystickInsideDeadZoneStillTurnsUntilIdle) {
    state().tickCount = 1000;
    MoveStick(0.5f, 0.0f);
    Frame();
    float yaw = camera.yaw;
    MoveStick(0.05f, 0.0f);  // back inside the dead zone
    Frame();
    EXPECT_FALSE(flight.joystickIdle);
    EXPECT_LT(camera.yaw, yaw);  // small deflections still turn

    // Idle only after a report more than 32000 ms after the last one outside.
    state().tickCount = 1000 + 32000;
    MoveStick(0.05f, 0.0f);
    Frame();
    EXPECT_FALSE(flight.joystickIdle);
    state().tickCount = 1000 + 32001;
    MoveStick(0.05f, 0.0f);
    Frame();
    EXPECT_TRUE(flight.joystickIdle);
    // From now on only the flight.autopilot turns (back toward 180, by 0.1 a frame).
    yaw = camera.yaw;
    Frame();
    EXPECT_NEAR(camera.yaw, yaw + 0.1f, 1e-4f);
}

TEST_F(Flight, JoystickIdleUsesReportTimesNotTheClock) {
    state().tickCount = 1000;
    MoveStick(-1.0f, 0.0f);
    Frame();
    MoveStick(0.0f, 0.0f);  // centred, and no more reports
    state().tickCount = 1000000;
    Frame();
    EXPECT_FALSE(flight.joystickIdle);
}

TEST_F(Flight, IdleRulesHoldAcrossTheTickCountWrap) {
    const uint32_t start = 0xFFFFF000u;
    state().tickCount = start;
    MoveMouse(1, 0);
    MoveStick(0.0f, 0.5f);
    Frame();
    EXPECT_FALSE(flight.mouseIdle);
    EXPECT_FALSE(flight.joystickIdle);
    EXPECT_FALSE(flight.autopilot);

    state().tickCount = start + 32000;  // wrapped past zero
    MoveStick(0.0f, 0.0f);
    Frame();
    EXPECT_FALSE(flight.mouseIdle);
    EXPECT_FALSE(flight.joystickIdle);

    state().tickCount = start + 32001;
    MoveStick(0.0f, 0.0f);
    Frame();
    EXPECT_TRUE(flight.mouseIdle);
    EXPECT_TRUE(flight.joystickIdle);
    EXPECT_TRUE(flight.autopilot);
}

TEST_F(Flight, MouseIdleAfter32000Milliseconds) {
    state().tickCount = 50000;
    MoveMouse(3, 0);
    Frame();
    state().tickCount = 82000;
    Frame();
    EXPECT_FALSE(flight.mouseIdle);
    state().tickCount = 82001;
    Frame();
    EXPECT_TRUE(flight.mouseIdle);
}

TEST_F(Flight, AutopilotYawBandsAndDeadZones) {
    const struct {
        float before, after;
    } cases[] = {{359.7f, 359.7f}, {-10.0f, 350.1f}, {90.0f, 90.0f},   {270.0f, 270.0f},
                 {-90.0f, -90.0f}, {0.5f, 0.4f},     {0.4f, 0.4f},     {45.0f, 44.9f},
                 {100.0f, 100.1f}, {179.5f, 179.6f}, {179.6f, 179.6f}, {180.0f, 180.0f},
                 {180.5f, 180.4f}, {200.0f, 199.9f}, {300.0f, 300.1f}, {-0.2f, -0.2f}};
    for (const auto& c : cases) {
        camera.yaw = c.before;
        Frame();
        EXPECT_NEAR(camera.yaw, c.after, 1e-4f) << "from " << c.before;
    }
    camera.yaw = -10.0f;
    Frame();
    EXPECT_EQ(camera.yaw, (-10.0f + 360.0f) + 0.1f);
}

TEST_F(Flight, AutopilotRaisesPitchMinus30For296FramesThenStops) {
    camera.pitch = 0.3f;
    Frame(10);
    EXPECT_EQ(camera.pitch, 0.3f);

    camera.pitch = -30.0f;
    Frame(295);
    EXPECT_LT(camera.pitch, -0.4f);
    Frame();
    EXPECT_GT(camera.pitch, -0.4f);
    EXPECT_NEAR(camera.pitch, -0.3999f, 1e-3f);
    float settled = camera.pitch;
    Frame(50);
    EXPECT_EQ(camera.pitch, settled);

    camera.pitch = 2.0f;
    Frame(20);
    EXPECT_LE(camera.pitch, 0.4f);
    EXPECT_GT(camera.pitch, 0.29f);
}

TEST_F(Flight, AutopilotWaitsForMouseAndJoystick) {
    camera.yaw = 200.0f;
    mouse.LeftDown(0, 0);  // a click without movement still counts as use
    mouse.LeftUp(0, 0);
    Frame();
    EXPECT_FALSE(flight.autopilot);
    EXPECT_EQ(camera.yaw, 200.0f);
}

TEST_F(Flight, KeyboardNeverClearsTheAutopilotAndWorksAgainstIt) {
    keyboard.KeyDown(vk::Left, 0);
    Frame(3);
    EXPECT_TRUE(flight.autopilot);
    // 500 x flight.maxStep degrees per frame, minus 0.1 of the flight.autopilot each frame.
    EXPECT_NEAR(camera.yaw, 180.0f + 3.0f * (500.0f * flight.maxStep - 0.1f), 1e-3f);
}

TEST_F(Flight, KeyboardTurnAmountsFollowTheSpeedLimit) {
    flight.mouseIdle = false;  // keeps the flight.autopilot out of the measured turns
    keyboard.KeyDown(vk::Left, 0);
    keyboard.KeyDown(vk::Up, 0);
    Frame();
    EXPECT_NEAR(camera.yaw, 183.33333f, 1e-3f);
    EXPECT_NEAR(camera.pitch, 3.33333f, 1e-3f);
    keyboard.KeyDown(vk::Right, 0);
    keyboard.KeyDown(vk::Down, 0);
    Frame();  // opposite keys cancel
    EXPECT_NEAR(camera.yaw, 183.33333f, 1e-3f);
    EXPECT_NEAR(camera.pitch, 3.33333f, 1e-3f);
    keyboard.KeyUp(vk::Left, 0);
    keyboard.KeyUp(vk::Up, 0);
    flight.maxStep = 0.4f / 30.0f;
    Frame();
    EXPECT_NEAR(camera.yaw, 183.33333f - 6.66667f, 1e-3f);
    EXPECT_NEAR(camera.pitch, 3.33333f - 6.66667f, 1e-3f);
    // Arrow keys are not swapped.
    swapUpDown = true;
    Frame();
    EXPECT_NEAR(camera.pitch, 3.33333f - 2.0f * 6.66667f, 1e-3f);
}

TEST_F(Flight, ShiftKeyStopsAndShiftsByEightTenthsOfAStep) {
    flight.speed = 0.1f;
    keyboard.KeyDown(vk::Shift, 0);
    keyboard.KeyDown(vk::Left, 0);
    keyboard.KeyDown(vk::Up, 0);
    keyboard.KeyDown(vk::A, 0);  // the flight.speed key still counts after the stop
    Frame();
    EXPECT_NEAR(flight.speed, 0.01f, 1e-7f);
    EXPECT_EQ(camera.yaw, 180.0f);
    EXPECT_NEAR(camera.position.x, 0.8f * flight.maxStep, 1e-8f);  // left of a camera looking along +z is +x
    EXPECT_NEAR(camera.position.y, 0.8f * flight.maxStep, 1e-8f);
}

TEST_F(Flight, JoystickButtonsOneAndTwoShiftTheCamera) {
    flight.speed = 0.1f;
    MoveStick(0.5f, -1.0f);
    joystick.Buttons(platform::joy_button::Button1 | platform::joy_button::Button2, 0);
    float yaw = camera.yaw;
    Frame();
    EXPECT_EQ(flight.speed, 0.0f);
    EXPECT_EQ(camera.yaw, yaw);
    EXPECT_NEAR(camera.position.x, -joystick.axes[Joystick::X].value * flight.maxStep, 1e-6f * flight.maxStep);
    EXPECT_NEAR(camera.position.y, -flight.maxStep, 1e-6f * flight.maxStep);
}

TEST_F(Flight, DirectionFollowsYawAndPitch) {
    const struct {
        float yaw, pitch;
        Vector3 direction;
    } cases[] = {{0, 0, {0, 0, -1}},
                 {180, 0, {0, 0, 1}},
                 {90, 0, {-1, 0, 0}},
                 {0, 90, {0, 1, 0}},
                 {-90, -45, {0.70710678f, -0.70710678f, 0}}};
    for (const auto& c : cases) {
        camera.yaw = c.yaw;
        camera.pitch = c.pitch;
        UpdateDirection(camera);
        EXPECT_NEAR(camera.direction.x, c.direction.x, 1e-6f);
        EXPECT_NEAR(camera.direction.y, c.direction.y, 1e-6f);
        EXPECT_NEAR(camera.direction.z, c.direction.z, 1e-6f);
    }
}

TEST_F(Flight, ShiftVectorsStayUnitAndFiniteUpToAVerticalView) {
    for (float pitch : {0.0f, 45.0f, 89.99f, 90.0f, -90.0f}) {
        for (float yaw : {0.0f, 33.0f, 180.0f, -270.0f}) {
            camera.yaw = yaw;
            camera.pitch = pitch;
            UpdateDirection(camera);
            Vector3 side, lift;
            ShiftVectors(camera.direction, camera.yaw, side, lift);
            ASSERT_TRUE(IsFinite(side) && IsFinite(lift)) << yaw << " " << pitch;
            EXPECT_NEAR(side.SquaredLength(), 1.0f, 1e-5f);
            EXPECT_NEAR(lift.SquaredLength(), 1.0f, 1e-5f);
            EXPECT_NEAR(Dot(side, camera.direction), 0.0f, 1e-5f);
            EXPECT_NEAR(Dot(lift, camera.direction), 0.0f, 1e-5f);
            EXPECT_NEAR(side.y, 0.0f, 1e-6f);  // the right stays horizontal
        }
    }
    // An exactly vertical direction has no cross product with up at all.
    Vector3 side, lift;
    ShiftVectors(Vector3{0, 1, 0}, 180.0f, side, lift);
    EXPECT_NEAR(side.x, -1.0f, 1e-6f);
    EXPECT_NEAR(lift.z, -1.0f, 1e-6f);
}

TEST_F(Flight, ShiftingAtPitchNinetyKeepsThePositionFinite) {
    flight.autopilot = false;
    camera.pitch = 90.0f;
    camera.direction.Set(0.0f, 1.0f, 0.0f);
    keyboard.KeyDown(vk::Shift, 0);
    keyboard.KeyDown(vk::Right, 0);
    keyboard.KeyDown(vk::Up, 0);
    mouse.LeftDown(0, 0);
    mouse.RightDown(0, 0);
    MoveMouse(50, 50);
    joystick.Buttons(3, 0);
    MoveStick(1.0f, 1.0f);
    UpdateFlight(ReadDevices(mouse, joystick, keyboard, swapUpDown, 0), frameTime, flight, camera);
    ASSERT_TRUE(IsFinite(camera.position));
    EXPECT_GT(camera.position.SquaredLength(), 0.0f);
}

TEST_F(Flight, HugeFrameTimeKeepsYawInRange) {
    MoveStick(1.0f, -1.0f);
    frameTime = 4.0e6f;  // counter readings 2^32 ticks apart at one tick per millisecond
    Frame();
    EXPECT_TRUE(std::isfinite(camera.yaw));
    EXPECT_LE(std::fabs(camera.yaw), 360.0f);
    EXPECT_EQ(camera.pitch, -90.0f);
    EXPECT_TRUE(IsFinite(camera.position));
}

TEST_F(Flight, YawWrapsOnceAndPitchClamps) {
    EXPECT_EQ(WrapYaw(361.0f), 1.0f);
    EXPECT_EQ(WrapYaw(-361.0f), -1.0f);
    EXPECT_EQ(WrapYaw(360.0f), 360.0f);
    EXPECT_EQ(WrapYaw(720.0f), 360.0f);
    EXPECT_EQ(WrapYaw(-359.0f), -359.0f);
    EXPECT_LE(std::fabs(WrapYaw(1.0e9f)), 360.0f);
    EXPECT_EQ(ClampPitch(90.5f), 90.0f);
    EXPECT_EQ(ClampPitch(-1e30f), -90.0f);
}

}  // namespace
