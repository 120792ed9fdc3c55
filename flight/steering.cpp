// The three device steps of the flight model: mouse, joystick and keyboard.
#include <cmath>

#include "flight/flight_model.h"

namespace {
constexpr float kMouseTurn = 0.04f;   // degrees per pixel of averaged movement
constexpr float kMouseShift = 0.02f;  // steps per pixel of averaged movement
constexpr float kJoystickDeadZone = 0.1f;
constexpr float kKeyShift = 0.8f;   // steps per frame
constexpr float kKeyTurn = 500.0f;  // degrees per frame per unit of maxStep

float ClampToStep(float value, float maxStep) {
    if (value > maxStep) return maxStep;
    if (value < -maxStep) return -maxStep;
    return value;
}

// Moves the camera by `amount` along `axis` (a unit vector).
void Shift(Camera& camera, const Vector3& axis, float amount) {
    Vector3 offset = axis;
    camera.position.Add(offset.Scale(amount));
}

void Turn(Camera& camera, float yawDegrees, float pitchDegrees) {
    float yaw = camera.yaw + yawDegrees;
    if (std::isfinite(yaw)) camera.yaw = WrapYaw(yaw);
    camera.pitch = ClampPitch(camera.pitch + pitchDegrees);
}

void CameraShiftVectors(const Camera& camera, Vector3& side, Vector3& lift) {
    ShiftVectors(camera.direction, camera.yaw, side, lift);
}

// Stores this frame's movement and returns the average of the last four.
void AverageMouse(const DeviceReadings::Mouse& mouse, MouseHistory& history, float& mx, float& my) {
    uint32_t slot = history.count % MouseHistory::kSamples;
    history.dx[slot] = mouse.dx;
    history.dy[slot] = mouse.dy;
    ++history.count;
    int64_t sumX = 0, sumY = 0;
    for (uint32_t i = 0; i < MouseHistory::kSamples; ++i) {
        sumX += history.dx[i];
        sumY += history.dy[i];
    }
    mx = static_cast<float>(sumX) * 0.25f;
    my = static_cast<float>(sumY) * 0.25f;
}
}  // namespace

bool SteerMouse(const DeviceReadings& devices, FlightState& flight, Camera& camera) {
    const DeviceReadings::Mouse& mouse = devices.mouse;
    float mx, my;
    AverageMouse(mouse, flight.mouseHistory, mx, my);

    if (mouse.changed) {
        flight.mouseIdle = false;
    } else {
        int32_t quiet = static_cast<int32_t>(devices.now - mouse.time);
        if (quiet > static_cast<int32_t>(kIdleAfterMs)) flight.mouseIdle = true;
    }

    if (mouse.left && mouse.right) {
        // Both buttons: the mouse shifts the camera (right moves right, down moves down).
        flight.speed = 0.0f;
        if (mouse.changed) {
            Vector3 side, lift;
            CameraShiftVectors(camera, side, lift);
            Shift(camera, side, ClampToStep(mx * flight.maxStep * kMouseShift, flight.maxStep));
            Shift(camera, lift, ClampToStep(my * flight.maxStep * -kMouseShift, flight.maxStep));
        }
    } else {
        if (mouse.changed) {
            float pitchTurn = devices.swapUpDown ? my * kMouseTurn : -my * kMouseTurn;
            Turn(camera, -mx * kMouseTurn, pitchTurn);
        }
        if (mouse.left)
            flight.speed += kSpeedChange;
        else if (mouse.right)
            flight.speed -= kSpeedChange;
    }
    return !flight.mouseIdle;
}

bool SteerJoystick(const DeviceReadings& devices, float frameTime, FlightState& flight, Camera& camera) {
    const DeviceReadings::Joystick& stick = devices.joystick;
    const float x = stick.x, y = stick.y;
    bool outsideDeadZone =
        x <= -kJoystickDeadZone || x >= kJoystickDeadZone || y <= -kJoystickDeadZone || y >= kJoystickDeadZone;
    if (outsideDeadZone) {
        flight.joystickIdle = false;
        flight.joystickActiveTime = stick.time;
    } else if (stick.time - flight.joystickActiveTime > kIdleAfterMs) {
        // The time of the last report, not the current time: a stick that
        // stopped reporting inside the dead zone keeps its state.
        flight.joystickIdle = true;
    }

    if (stick.button1 && stick.button2) {
        flight.speed = 0.0f;
        Vector3 side, lift;
        CameraShiftVectors(camera, side, lift);
        Shift(camera, side, ClampToStep(x * flight.maxStep, flight.maxStep));
        Shift(camera, lift, ClampToStep(y * flight.maxStep, flight.maxStep));
        return !flight.joystickIdle;
    }
    // The dead zone does not stop turning: small deflections turn the camera
    // until the joystick counts as idle.
    if (!flight.joystickIdle) {
        float yawTurn = x * kJoystickTurnRate * frameTime;
        float pitchTurn = y * kJoystickTurnRate * frameTime;
        Turn(camera, -yawTurn, devices.swapUpDown ? -pitchTurn : pitchTurn);
    }
    if (stick.button1)
        flight.speed += kSpeedChange;
    else if (stick.button2)
        flight.speed -= kSpeedChange;
    return !flight.joystickIdle;
}

bool SteerKeyboard(const DeviceReadings& devices, FlightState& flight, Camera& camera) {
    const DeviceReadings::Keys& keys = devices.keys;
    if (keys.shift) {
        flight.speed = 0.0f;
        Vector3 side, lift;
        CameraShiftVectors(camera, side, lift);
        float amount = kKeyShift * flight.maxStep;
        if (keys.left) Shift(camera, side, -amount);
        if (keys.right) Shift(camera, side, amount);
        if (keys.down) Shift(camera, lift, -amount);
        if (keys.up) Shift(camera, lift, amount);
    } else {
        // The turning rate follows the speed limit.
        float turn = kKeyTurn * flight.maxStep;
        if (keys.left) Turn(camera, turn, 0.0f);
        if (keys.right) Turn(camera, -turn, 0.0f);
        if (keys.down) Turn(camera, 0.0f, -turn);
        if (keys.up) Turn(camera, 0.0f, turn);
    }
    if (keys.faster) flight.speed += kSpeedChange;
    if (keys.slower) flight.speed -= kSpeedChange;
    return true;
}
