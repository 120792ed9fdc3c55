#pragma once
// The flight model: each frame the mouse, the joystick and the keyboard turn
// the camera, change its speed or shift it sideways; the camera then moves
// along its view direction, and after 32 seconds without mouse or joystick
// use the autopilot turns it slowly back toward the tunnel's axis.
//
// The flight state (speed, idle flags, mouse history) and the devices are
// program-wide objects (shell/program_objects.h).
#include <cstdint>

#include "tunnel/vector3.h"

// The last four mouse movements, averaged to smooth the steering.
struct MouseHistory {
    static constexpr uint32_t kSamples = 4;
    int32_t dx[kSamples] = {};
    int32_t dy[kSamples] = {};
    uint32_t count = 0;  // samples stored so far; the next goes to slot count mod 4
};

constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kJoystickTurnRate = 120.0f;  // degrees per second at full deflection
constexpr uint32_t kIdleAfterMs = 32000;     // a device unused this long counts as idle
constexpr float kSpeedChange = 0.01f;        // per frame while a speed button or key is held

// One flight step; called once per frame before the devices' changed flags are cleared.
void UpdateFlight();
// The three device steps; each returns true unless its device is idle.
bool SteerMouse();
bool SteerJoystick();
bool SteerKeyboard();
// Recomputes the camera's direction from its yaw and pitch.
void UpdateDirection();

// The camera's right (side) and up (lift) directions for a view direction,
// both unit length. A vertical view direction (pitch +-90) has no right of
// its own; the horizontal right of the yaw stands in for it.
void ShiftVectors(const Vector3& direction, float yaw, Vector3& side, Vector3& lift);

// Angle keeping: the yaw stays within [-360, 360], the pitch within [-90, 90].
float WrapYaw(float yaw);
float ClampPitch(float pitch);
