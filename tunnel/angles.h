#pragma once
// Angles are kept in degrees, as the sections' phases and the camera's yaw,
// pitch and field of view are given; these turn them into radians.
constexpr float kDegreesToRadians = 0.017453292f;     // pi / 180
constexpr float kHalfDegreeInRadians = 0.008726646f;  // pi / 360: half an angle, for tangents of half views
