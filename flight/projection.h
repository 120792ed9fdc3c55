#pragma once
// The perspective projection: a symmetric frustum from the camera's field
// of view, aspect ratio and clipping distances, and the viewport that
// follows the window's client size.
#include <cstdint>

#include "flight/camera.h"

// Loads the projection matrix from `camera`; leaves the matrix mode at GL_PROJECTION.
void SetProjection(const Camera& camera);

// The new client size: viewport, the camera's aspect ratio and projection. A
// zero width or height (a minimised window) keeps the previous aspect ratio.
void ResizeViewport(Camera& camera, int32_t width, int32_t height);

// width / height, or `previous` when either is not positive.
float AspectRatio(int32_t width, int32_t height, float previous);

// The field of view the frustum is built from: the camera's own, kept clear
// of 0 and 180 degrees, where the frustum would collapse or its tangent overflow.
constexpr float kMinFrustumFov = 0.01f;
constexpr float kMaxFrustumFov = 179.0f;
float FrustumFov(float fov);
