#pragma once
// Collision with the tunnel wall: once per frame the camera finds the nearest
// wall triangle of its own segment and, when nearer than the clearance, is
// pushed back out along that triangle's normal. A camera whose square has
// left the segment's box altogether beeps and returns to the tunnel's axis.
#include <cstdint>

#include "tunnel/vector3.h"

class Orbalt2;

struct CollisionState {
    float nearestDistance = 0.0f;  // to the nearest triangle found; 1.0 when none is nearer
    float clearance = 0.0f;        // distance kept from the wall, set by each tunnel build
    int32_t segment = 0;           // ring slot of the segment that holds the camera
    int32_t triangle = 0;          // index of the nearest triangle; 0 when none was found
};

// The collision step for a mesh with the given section spacing: updates the
// state and pushes the position. True when the position was pushed out.
bool CollideWithTunnel(const Orbalt2& mesh, float spacing, CollisionState& state, Vector3& position);

// The point of the triangle v0 v1 v2 nearest to p. A triangle without area
// (its corners on one line or one point) gives the nearest point of its edges.
void ClosestPointOnTriangle(const Vector3& v0, const Vector3& v1, const Vector3& v2, const Vector3& p,
                            Vector3& out);

// The same for a triangle with area; false, leaving `out` alone, for one without.
bool ClosestPointOnFace(const Vector3& v0, const Vector3& v1, const Vector3& v2, const Vector3& p, Vector3& out);

// Ring slot of the segment holding z: floor(z / spacing) masked into the ring.
int32_t SegmentOf(float z, float spacing, uint32_t nSegments);
