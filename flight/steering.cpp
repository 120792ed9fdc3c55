// The three device steps of the flight model: mouse, joystick and keyboard.
#include <cmath>

#include "flight/flight_model.h"
#include "shell/program_objects.h"

namespace {
constexpr float kMouseTurn = 0.04f;    // degrees per pixel of averaged movement
constexpr float kMouseShift = 0.02f;   // steps per pixel of averaged movement
constexpr float kJoystickDeadZone = 0.1f;
constexpr float kKeyShift = 0.8f;      // steps per frame
constexpr float kKeyTurn = 500.0f;     // degrees per frame per unit of maxStep

float ClampToStep(float value) {
    if (value > maxStep) return maxStep;
    if (value < -maxStep) return -maxStep;
    return value;
}

// Moves the camera by `amount` along `axis` (a unit vector).
void Shift(const Vector3& axis, float amount) {
    Vector3 offset = axis;
    camera.position.Add(offset.Scale(amount));
}

void Turn(float yawDegrees, float pitchDegrees) {
    float yaw = camera.yaw + yawDegrees;
    if (std::isfinite(yaw)) camera.yaw = WrapYaw(yaw);
    camera.pitch = ClampPitch(camera.pitch + pitchDegrees);
}

void CameraShiftVectors(Vector3& side, Vector3& lift) {
    ShiftVectors(camera.direction, camera.yaw, side, lift);
}

// Stores this frame's movement and returns the average of the last four.
void AverageMouse(float& mx, float& my) {
    uint32_t slot = mouseHistory.count % MouseHistory::kSamples;
    mouseHistory.dx[slot] = mouse.channels[Mouse::X].delta;
    mouseHistory.dy[slot] = mouse.channels[Mouse::Y].delta;
    ++mouseHistory.count;
    int64_t sumX = 0, sumY = 0;
    for (uint32_t i = 0; i < MouseHistory::kSamples; ++i) {
        sumX += mouseHistory.dx[i];
        sumY += mouseHistory.dy[i];
    }
    mx = static_cast<float>(sumX) * 0.25f;
    my = static_cast<float>(sumY) * 0.25f;
}
}  // namespace

bool SteerMouse() {
    float mx, my;
    AverageMouse(mx, my);

    if (mouse.changed) {
        mouseIdle = false;
    } else {
        int32_t quiet = static_cast<int32_t>(platform::TickCount() - mouse.channels[Mouse::X].time);
        if (quiet > static_cast<int32_t>(kIdleAfterMs)) mouseIdle = true;
    }

    bool left = mouse.channels[Mouse::LEFT].value != 0;
    bool right = mouse.channels[Mouse::RIGHT].value != 0;
    if (left && right) {
        // Both buttons: the mouse shifts the camera (right moves right, down moves down).
        speed = 0.0f;
        if (mouse.changed) {
            Vector3 side, lift;
            CameraShiftVectors(side, lift);
            Shift(side, ClampToStep(mx * maxStep * kMouseShift));
            Shift(lift, ClampToStep(my * maxStep * -kMouseShift));
        }
    } else {
        if (mouse.changed) {
            float pitchTurn = settings.SwapSteerUpDown ? my * kMouseTurn : -my * kMouseTurn;
            Turn(-mx * kMouseTurn, pitchTurn);
        }
        if (left)
            speed += kSpeedChange;
        else if (right)
            speed -= kSpeedChange;
    }
    return !mouseIdle;
}

bool SteerJoystick() {
    const Joystick::Axis& axisX = joystick.axes[Joystick::X];
    float x = axisX.value;
    float y = joystick.axes[Joystick::Y].value;
    bool outsideDeadZone = x <= -kJoystickDeadZone || x >= kJoystickDeadZone ||
                           y <= -kJoystickDeadZone || y >= kJoystickDeadZone;
    if (outsideDeadZone) {
        joystickIdle = false;
        joystickActiveTime = axisX.time;
    } else if (axisX.time - joystickActiveTime > kIdleAfterMs) {
        // The time of the last report, not the current time: a stick that
        // stopped reporting inside the dead zone keeps its state.
        joystickIdle = true;
    }

    bool button1 = joystick.buttons[0].down;
    bool button2 = joystick.buttons[1].down;
    if (button1 && button2) {
        speed = 0.0f;
        Vector3 side, lift;
        CameraShiftVectors(side, lift);
        Shift(side, ClampToStep(x * maxStep));
        Shift(lift, ClampToStep(y * maxStep));
        return !joystickIdle;
    }
    // The dead zone does not stop turning: small deflections turn the camera
    // until the joystick counts as idle.
    if (!joystickIdle) {
        float yawTurn = x * kJoystickTurnRate * frameTime;
        float pitchTurn = y * kJoystickTurnRate * frameTime;
        Turn(-yawTurn, settings.SwapSteerUpDown ? -pitchTurn : pitchTurn);
    }
    if (button1)
        speed += kSpeedChange;
    else if (button2)
        speed -= kSpeedChange;
    return !joystickIdle;
}

bool SteerKeyboard() {
    using namespace platform;
    if (keyboard.Down(vk::Shift)) {
        speed = 0.0f;
        Vector3 side, lift;
        CameraShiftVectors(side, lift);
        float amount = kKeyShift * maxStep;
        if (keyboard.Down(vk::Left)) Shift(side, -amount);
        if (keyboard.Down(vk::Right)) Shift(side, amount);
        if (keyboard.Down(vk::Down)) Shift(lift, -amount);
        if (keyboard.Down(vk::Up)) Shift(lift, amount);
    } else {
        // The turning rate follows the speed limit.
        float turn = kKeyTurn * maxStep;
        if (keyboard.Down(vk::Left)) Turn(turn, 0.0f);
        if (keyboard.Down(vk::Right)) Turn(-turn, 0.0f);
        if (keyboard.Down(vk::Down)) Turn(0.0f, -turn);
        if (keyboard.Down(vk::Up)) Turn(0.0f, turn);
    }
    if (keyboard.Down(vk::A)) speed += kSpeedChange;
    if (keyboard.Down(vk::Z)) speed -= kSpeedChange;
    return true;
}
