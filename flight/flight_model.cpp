#include "flight/flight_model.h"

#include <cmath>

namespace {
constexpr float kAutopilotTurn = 0.1f;  // degrees per frame, not scaled by the frame time
constexpr float kAutopilotDeadZone = 0.4f;

float ClampMagnitude(float value, float limit) {
    if (value > limit) return limit;
    if (value < -limit) return -limit;
    return value;
}

// Turns the yaw back toward the nearest of 0, 180 and 360 (the tunnel's axis,
// either way along it). A yaw of exactly 90 or 270 has no nearer side and stays.
void AutopilotYaw(Camera& camera) {
    float a = camera.yaw < 0.0f ? camera.yaw + 360.0f : camera.yaw;
    // Just past 0 or 180 the yaw turns back down; just short of 180 or 360, up.
    const bool pastAxis = (a > kAutopilotDeadZone && a < 90.0f) || (a > 180.0f + kAutopilotDeadZone && a < 270.0f);
    const bool shortOfAxis =
        (a > 90.0f && a < 180.0f - kAutopilotDeadZone) || (a > 270.0f && a < 360.0f - kAutopilotDeadZone);
    if (pastAxis)
        camera.yaw = a - kAutopilotTurn;
    else if (shortOfAxis)
        camera.yaw = a + kAutopilotTurn;
}

void AutopilotPitch(Camera& camera) {
    if (camera.pitch < -kAutopilotDeadZone)
        camera.pitch += kAutopilotTurn;
    else if (camera.pitch > kAutopilotDeadZone)
        camera.pitch -= kAutopilotTurn;
    camera.pitch = ClampPitch(camera.pitch);
}
}  // namespace

float WrapYaw(float yaw) {
    if (yaw > 360.0f)
        yaw -= 360.0f;
    else if (yaw < -360.0f)
        yaw += 360.0f;
    // One turn of a frame never exceeds a full circle, except after a frame
    // time of minutes (the machine slept): bring such a yaw back as well.
    if (yaw > 360.0f || yaw < -360.0f) yaw = std::fmod(yaw, 360.0f);
    return yaw;
}

float ClampPitch(float pitch) {
    if (pitch > 90.0f) return 90.0f;
    if (pitch < -90.0f) return -90.0f;
    return pitch;
}

void UpdateDirection(Camera& camera) {
    float y = camera.yaw * kDegreesToRadians;
    float p = camera.pitch * kDegreesToRadians;
    camera.direction.Set(-std::sin(y) * std::cos(p), std::sin(p), -std::cos(y) * std::cos(p));
}

void ShiftVectors(const Vector3& direction, float yaw, Vector3& side, Vector3& lift) {
    // Below this squared length direction x up is rounding noise of a vertical view.
    constexpr float kVerticalLimit = 1e-12f;
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 right;
    direction.Cross(up, right);
    float squared = right.SquaredLength();
    if (squared > kVerticalLimit && std::isfinite(squared)) {
        side = right;
        side.Divide(std::sqrt(squared));
        right.Cross(direction, lift);
    } else {
        float y = yaw * kDegreesToRadians;
        side.Set(std::cos(y), 0.0f, -std::sin(y));
        side.Cross(direction, lift);
    }
    float liftSquared = lift.SquaredLength();
    if (liftSquared > 0.0f && std::isfinite(liftSquared))
        lift.Divide(std::sqrt(liftSquared));
    else
        lift = up;
}

void UpdateFlight(const DeviceReadings& devices, float frameTime, FlightState& flight, Camera& camera) {
    SteerMouse(devices, flight, camera);
    SteerJoystick(devices, frameTime, flight, camera);
    SteerKeyboard(devices, flight, camera);
    flight.speed = ClampMagnitude(flight.speed, flight.maxSpeed);

    // Below 30 frames per second the flight slows down instead of taking longer steps.
    float step = ClampMagnitude(flight.speed * frameTime, flight.maxStep);
    Vector3 move = camera.direction;
    camera.position.Add(move.Scale(step));

    flight.autopilot = flight.joystickIdle && flight.mouseIdle;
    if (flight.autopilot) {
        AutopilotYaw(camera);
        AutopilotPitch(camera);
    }
}
