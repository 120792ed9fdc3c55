#include "flight/wrap_around.h"

#include "flight/camera.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

namespace {
constexpr float kRingsPerWrap = 64.0f;
}

float WrapLength(const Orbalt2& mesh, float spacing) {
    return static_cast<float>(mesh.nSegments) * spacing * kRingsPerWrap;
}

float WrapDistance(float z, float wrapLength) {
    if (z > wrapLength) return -wrapLength;
    if (z < -wrapLength) return wrapLength;
    return 0.0f;
}

float WrapCameraAndTunnel(Orbalt2& mesh, TunnelBuilder& builder, Camera& camera) {
    const float wrap = WrapDistance(camera.position.z, WrapLength(mesh, builder.spacing));
    if (wrap == 0.0f) return 0.0f;
    camera.position.z += wrap;
    builder.Shift(wrap);
    return wrap;
}
