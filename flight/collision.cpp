#include "flight/collision.h"

#include <cmath>

#include "platform/sound.h"
#include "tunnel/orbalt2.h"

namespace {

// The camera square and the mesh's boxes overlap only with some area in
// common: touching sides do not count.
bool Overlaps(const Box2& square, const Box2& box) {
    return square.xmin < box.xmax && square.xmax > box.xmin && square.ymin < box.ymax && square.ymax > box.ymin;
}

Box2 CameraSquare(const Vector3& position, float clearance) {
    float e = 2.0f * clearance;
    if (e < 0.0f) e = 0.0f;
    float xmin = position.x - e / 2.0f;
    float ymin = position.y - e / 2.0f;
    return Box2{xmin, ymin, xmin + e, ymin + e};
}

// A triangle without area has no normal to push along (the mesh stores zero).
bool HasNormal(const Vector3& normal) {
    float squared = normal.SquaredLength();
    return squared > 0.0f && std::isfinite(squared);
}

// Searches the triangles of the sub-boxes the square meets, in order; among
// equal distances the first triangle wins. False when no triangle is nearer
// than 1; otherwise `nearestPoint` is the nearest point found.
bool FindNearest(const Orbalt2& mesh, const Box2& square, const Vector3& position, CollisionState& state,
                 Vector3& nearestPoint) {
    const uint32_t perSegment = 2 * mesh.nSegPoints;
    const uint32_t perSubBox = perSegment / mesh.nSubBoxes;
    const uint32_t slot = static_cast<uint32_t>(state.segment);
    const Box2* subBoxes = &mesh.subBoxes[size_t{slot} * mesh.nSubBoxes];
    bool found = false;
    for (uint32_t j = 0; j < mesh.nSubBoxes; ++j) {
        if (!Overlaps(square, subBoxes[j])) continue;
        const uint32_t first = slot * perSegment + j * perSubBox;
        for (uint32_t t = first; t < first + perSubBox; ++t) {
            if (!HasNormal(mesh.triN[t])) continue;
            const Triangle& corners = mesh.triV[t];
            Vector3 q;
            if (!ClosestPointOnFace(mesh.pos[corners.v[0]], mesh.pos[corners.v[1]], mesh.pos[corners.v[2]],
                                    position, q))
                continue;
            Vector3 offset{q.x - position.x, q.y - position.y, q.z - position.z};
            float d = std::sqrt(offset.SquaredLength());
            if (d < state.nearestDistance) {
                state.nearestDistance = d;
                state.triangle = static_cast<int32_t>(t);
                nearestPoint = q;
                found = true;
            }
        }
    }
    return found;
}

// The push that puts the position `clearance` in front of the nearest
// triangle. In front of its plane that is clearance - distance along the
// normal. Behind it (the last step went slightly through the wall) it is
// clearance + distance: pushing by clearance - distance there would leave the
// position behind the wall, deeper with every further step into it.
float PushDistance(const Vector3& position, const Vector3& nearestPoint, const Vector3& normal,
                   const CollisionState& state) {
    Vector3 offset{position.x - nearestPoint.x, position.y - nearestPoint.y, position.z - nearestPoint.z};
    float height = offset.x * normal.x + offset.y * normal.y + offset.z * normal.z;
    return height < 0.0f ? state.clearance + state.nearestDistance : state.clearance - state.nearestDistance;
}

}  // namespace

int32_t SegmentOf(float z, float spacing, uint32_t nSegments) {
    // A position beyond the int range (never reached while the wrap-around
    // keeps z within one ring length) or an undefined one counts as segment 0.
    float k = std::floor(z / spacing);
    int32_t index = 0;
    if (k >= -2147483648.0f && k < 2147483648.0f) index = static_cast<int32_t>(k);
    return static_cast<int32_t>(static_cast<uint32_t>(index) & (nSegments - 1));
}

bool CollideWithTunnel(const Orbalt2& mesh, float spacing, CollisionState& state, Vector3& position) {
    state.nearestDistance = 1.0f;
    state.triangle = 0;
    // No mesh, or one without sub-boxes: nothing to collide with.
    if (mesh.nSegments == 0 || mesh.nSubBoxes == 0 || !mesh.subBoxes) return false;
    state.segment = SegmentOf(position.z, spacing, mesh.nSegments);

    const Box2 square = CameraSquare(position, state.clearance);
    Vector3 nearestPoint;
    const bool found = FindNearest(mesh, square, position, state, nearestPoint);

    // Through the wall and out of the segment's cross-section: back to the axis.
    if (!Overlaps(square, mesh.segBoxes[state.segment])) {
        platform::SimpleBeep();
        position.x = 0.0f;
        position.y = 0.0f;
    }
    if (found && state.nearestDistance < state.clearance) {
        const Vector3& normal = mesh.triN[state.triangle];
        float distance = PushDistance(position, nearestPoint, normal, state);
        Vector3 push = normal;
        position.Add(push.Scale(distance));
        return true;
    }
    return false;
}
