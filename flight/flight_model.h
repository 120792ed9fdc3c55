#pragma once
// The flight model: each frame the mouse, the joystick and the keyboard turn
// the camera, change its speed or shift it sideways; the camera then moves
// along its view direction, and after 32 seconds without mouse or joystick
// use the autopilot turns it slowly back toward the tunnel's axis.
//
// Everything a step reads and writes is handed to it: the devices' readings
// of the frame, the flight state carried from frame to frame, the frame time
// and the camera.
#include <cstdint>

#include "flight/camera.h"
#include "tunnel/angles.h"
#include "tunnel/vector3.h"

// The last four mouse movements, averaged to smooth the steering.
struct MouseHistory {
    static constexpr uint32_t kSamples = 4;
    int32_t dx[kSamples] = {};
    int32_t dy[kSamples] = {};
    uint32_t count = 0;  // samples stored so far; the next goes to slot count mod 4
};

// The speed limit is flown in this many steps per second at most.
constexpr float kStepsPerSpeed = 30.0f;
constexpr float kStartSpeedLimit = 0.2f;

// What a flight step carries from one frame to the next.
struct FlightState {
    float maxSpeed = kStartSpeedLimit;                  // speed limit, world units per second
    float maxStep = kStartSpeedLimit / kStepsPerSpeed;  // largest distance flown in one frame
    float speed = 0.0f;                                 // signed, world units per second; negative flies backward
    bool mouseIdle = true;                              // no mouse movement for more than 32 s
    bool joystickIdle = true;                           // joystick inside its dead zone for more than 32 s
    bool autopilot = true;                              // both idle: the camera turns back toward the axis
    uint32_t joystickActiveTime = 0;                    // joystick x time when last outside the dead zone
    MouseHistory mouseHistory;
};

// What the flight step reads of the input devices in one frame.
struct DeviceReadings {
    struct Mouse {
        int32_t dx = 0, dy = 0;  // movement of the last event, in pixels
        bool left = false, right = false;
        bool changed = false;  // an event arrived since the last frame
        uint32_t time = 0;     // tick count of the last movement
    };
    struct Joystick {
        float x = 0.0f, y = 0.0f;  // deflection, -1 ... 1
        uint32_t time = 0;         // tick count of the last report
        bool button1 = false, button2 = false;
    };
    struct Keys {
        bool shift = false, left = false, right = false, up = false, down = false;
        bool faster = false, slower = false;  // A and Z
    };
    Mouse mouse;
    Joystick joystick;
    Keys keys;
    uint32_t now = 0;         // tick count of this frame
    bool swapUpDown = false;  // up and down steering of mouse and joystick swapped
};

constexpr float kJoystickTurnRate = 120.0f;  // degrees per second at full deflection
constexpr uint32_t kIdleAfterMs = 32000;     // a device unused this long counts as idle
constexpr float kSpeedChange = 0.01f;        // per frame while a speed button or key is held

// One flight step: the devices turn, speed up or shift the camera, which
// then moves along its view direction.
void UpdateFlight(const DeviceReadings& devices, float frameTime, FlightState& flight, Camera& camera);
// The three device steps; each returns true unless its device is idle.
bool SteerMouse(const DeviceReadings& devices, FlightState& flight, Camera& camera);
bool SteerJoystick(const DeviceReadings& devices, float frameTime, FlightState& flight, Camera& camera);
bool SteerKeyboard(const DeviceReadings& devices, FlightState& flight, Camera& camera);
// Recomputes the camera's direction from its yaw and pitch.
void UpdateDirection(Camera& camera);

// The camera's right (side) and up (lift) directions for a view direction,
// both unit length. A vertical view direction (pitch +-90) has no right of
// its own; the horizontal right of the yaw stands in for it.
void ShiftVectors(const Vector3& direction, float yaw, Vector3& side, Vector3& lift);

// Angle keeping: the yaw stays within [-360, 360], the pitch within [-90, 90].
float WrapYaw(float yaw);
float ClampPitch(float pitch);
