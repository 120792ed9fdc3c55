#pragma once
// TEMPORARY stand-ins for what the flight model and the collision step
// provide (the camera's segment and nearest triangle, the view direction
// from yaw and pitch), so that frames can be drawn until they are merged.
// Removed by that merge.
#include <cstdint>

struct PendingCollisionState {
    int32_t segment = 0;
    int32_t triangle = 0;
    float clearance = 0.0f;
};
inline PendingCollisionState collisionState;
inline void UpdateDirection() {}
