// Face and vertex normals and texture coordinates of the tunnel mesh.
#include <cmath>

#include "tunnel/orbalt2.h"

namespace {

Vector3 Difference(const Vector3& a, const Vector3& b) { return Vector3{a.x - b.x, a.y - b.y, a.z - b.z}; }

// Unit length; a zero vector (a degenerate triangle, or normals that cancel)
// stays zero rather than turning into NaN.
Vector3 Normalized(Vector3 v) {
    const float length = std::sqrt(v.SquaredLength());
    if (length > 0.0f && std::isfinite(length)) return v.Divide(length);
    return Vector3{};
}

// Eight face normals whose sum is shorter than this cancel: the faces before
// and after the section fold back onto each other, as they do where a walk
// with large steps turns a section's points half a turn against its
// neighbours'. Their sum then has no direction worth lighting by.
constexpr float kCancelledSquaredLength = 1.0e-6f;

// Triangle wave with period 1: 0 at whole numbers, 1 half-way between.
float MirrorWave(float x) {
    const float f = x - std::trunc(x);
    return f < 0.5f ? 2.0f * f : 2.0f * (1.0f - f);
}

}  // namespace

// n = (P - Q) x (P - R): for a profile running counter-clockwise seen from +z
// this points toward the tunnel's axis, where the camera is.
void Orbalt2::ComputeFaceNormal(uint32_t triangle) {
    const Triangle& t = triV[triangle];
    const Vector3& p = pos[t.v[0]];
    Vector3 normal;
    Difference(p, pos[t.v[1]]).Cross(Difference(p, pos[t.v[2]]), normal);
    triN[triangle] = Normalized(normal);
}

void Orbalt2::ComputeFaceNormals(int32_t first, uint32_t count) {
    if (count > nSegments) count = nSegments;
    const uint32_t perSegment = 2 * nSegPoints;
    for (uint32_t n = 0; n < count; ++n) {
        const uint32_t base = SlotOf(first + static_cast<int32_t>(n)) * perSegment;
        for (uint32_t k = 0; k < perSegment; ++k) ComputeFaceNormal(base + k);
    }
}

// A vertex normal is the normalised sum of the eight face normals around it:
// both triangles of quads j - 1 and j of the segment before the section and of
// the segment after it. Where they cancel, it is the profile's own normal.
void Orbalt2::ComputeVertexNormals(int32_t first, uint32_t count) {
    if (count > nSegments) count = nSegments;
    const uint32_t pointMask = nSegPoints - 1;
    for (uint32_t n = 0; n < count; ++n) {
        const int32_t section = first + static_cast<int32_t>(n);
        const uint32_t slot = SlotOf(section);
        const uint32_t previous = SlotOf(section - 1);
        for (uint32_t j = 0; j < nSegPoints; ++j) {
            const uint32_t quads[4] = {2 * VertexOf(previous, (j - 1) & pointMask), 2 * VertexOf(previous, j),
                                       2 * VertexOf(slot, (j - 1) & pointMask), 2 * VertexOf(slot, j)};
            Vector3 sum;
            for (uint32_t quad : quads) sum.Add(triN[quad]).Add(triN[quad + 1]);
            norm[VertexOf(slot, j)] =
                sum.SquaredLength() >= kCancelledSquaredLength ? Normalized(sum) : ProfileNormal(slot, j);
        }
    }
}

// In the section's plane, square to the chord between the point's neighbours
// and to its left: toward the inside of a profile running counter-clockwise.
Vector3 Orbalt2::ProfileNormal(uint32_t slot, uint32_t j) const {
    const uint32_t pointMask = nSegPoints - 1;
    const Vector3& before = pos[VertexOf(slot, (j - 1) & pointMask)];
    const Vector3& after = pos[VertexOf(slot, (j + 1) & pointMask)];
    return Normalized(Vector3{before.y - after.y, after.x - before.x, 0.0f});
}

// s runs along the ring and t around each section; mirroring keeps both
// continuous across the ring's seam and around the closed profile.
void Orbalt2::ComputeTexCoords(float around, float along) {
    for (uint32_t i = 0; i < nSegments; ++i) {
        const float s = MirrorWave(static_cast<float>(i) * along / (2.0f * static_cast<float>(nSegments)));
        for (uint32_t j = 0; j < nSegPoints; ++j) {
            const float t = MirrorWave(static_cast<float>(j) * around / (2.0f * static_cast<float>(nSegPoints)));
            texc[VertexOf(i, j)] = TexCoord2{s, t};
        }
    }
}
