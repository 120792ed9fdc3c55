#pragma once
// Small tunnel meshes of known shape for the collision tests: straight tubes
// of a given profile, with their normals and boxes filled in.
#include <cmath>
#include <functional>

#include "tunnel/orbalt2.h"

namespace test_meshes {

// Point j of nPoints of every section, counter-clockwise seen from +z.
using Profile = std::function<Point2(uint32_t j, uint32_t nPoints)>;

inline Point2 Circle(uint32_t j, uint32_t nPoints, float radius) {
    double angle = 2.0 * M_PI * j / nPoints;
    return Point2{static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle))};
}

// A square of half-width 1 with corners at the diagonals: flat walls at x = +-1 and y = +-1.
inline Point2 Square(uint32_t j, uint32_t) {
    const Point2 corners[4] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    return corners[j & 3];
}

inline Box2 TriangleBox(const Orbalt2& mesh, uint32_t t) {
    const Vector3& first = mesh.pos[mesh.triV[t].v[0]];
    Box2 box = Box2::At(Point2{first.x, first.y});
    for (uint32_t corner : mesh.triV[t].v) box.Widen(Point2{mesh.pos[corner].x, mesh.pos[corner].y});
    return box;
}

// The x-y boxes of every segment and of its equal runs of triangles.
inline void FillBoxes(Orbalt2& mesh) {
    const uint32_t perSegment = 2 * mesh.nSegPoints, perSubBox = perSegment / mesh.nSubBoxes;
    for (uint32_t s = 0; s < mesh.nSegments; ++s) {
        for (uint32_t j = 0; j < mesh.nSubBoxes; ++j) {
            uint32_t first = s * perSegment + j * perSubBox;
            Box2 box = TriangleBox(mesh, first);
            for (uint32_t t = first + 1; t < first + perSubBox; ++t) box.Widen(TriangleBox(mesh, t));
            mesh.subBoxes[s * mesh.nSubBoxes + j] = box;
            if (j == 0) mesh.segBoxes[s] = box;
            mesh.segBoxes[s].Widen(box);
        }
    }
}

// A straight tube along z: section i at z = i * spacing (the ring's last
// segment joins back to section 0 and so runs backward; tests stay clear of it).
inline bool MakeTube(Orbalt2& mesh, uint32_t nPoints, uint32_t nSegments, float spacing, const Profile& profile) {
    if (!mesh.Init(nPoints, nSegments)) return false;
    for (uint32_t s = 0; s < nSegments; ++s)
        for (uint32_t j = 0; j < nPoints; ++j) {
            Point2 p = profile(j, nPoints);
            mesh.pos[mesh.VertexOf(s, j)] = Vector3{p.x, p.y, static_cast<float>(s) * spacing};
        }
    mesh.ComputeFaceNormals(0, nSegments);
    FillBoxes(mesh);
    return true;
}

}  // namespace test_meshes
