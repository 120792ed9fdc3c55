#include "flight/projection.h"

#include <cmath>

#include "platform/gl_headers.h"
#include "tunnel/angles.h"

namespace {}  // namespace

float FrustumFov(float fov) {
    if (!(fov >= kMinFrustumFov)) return kMinFrustumFov;  // also a NaN
    return fov > kMaxFrustumFov ? kMaxFrustumFov : fov;
}

float AspectRatio(int32_t width, int32_t height, float previous) {
    if (width <= 0 || height <= 0) return previous;
    return static_cast<float>(width) / static_cast<float>(height);
}

void SetProjection(const Camera& camera) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float h = camera.zNear * std::tan(FrustumFov(camera.fov) * kHalfDegreeInRadians);
    double halfWidth = static_cast<double>(h * camera.aspect);
    glFrustum(-halfWidth, halfWidth, -static_cast<double>(h), static_cast<double>(h),
              static_cast<double>(camera.zNear), static_cast<double>(camera.zFar));
}

void ResizeViewport(Camera& camera, int32_t width, int32_t height) {
    glViewport(0, 0, width, height);
    camera.aspect = AspectRatio(width, height, camera.aspect);
    SetProjection(camera);
}
