#pragma once
// The camera record: projection parameters, position and orientation.
#include "tunnel/vector3.h"

struct Camera {
    float fov = 45.0f;    // degrees
    float aspect = 1.0f;  // width / height
    float zNear = 0.1f;
    float zFar = 1000.0f;
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 direction{0.0f, 0.0f, 1.0f};  // unit vector, recomputed from yaw and pitch
    float yaw = 0.0f;                     // degrees about y; 0 looks along -z, 180 along +z
    float pitch = 0.0f;                   // degrees about x
    float roll = 0.0f;                    // degrees about z
};
