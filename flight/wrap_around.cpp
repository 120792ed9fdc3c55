#include "flight/wrap_around.h"

#include "tunnel/orbalt2.h"

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
