#pragma once
// What every tunnel the harnesses build must hold: finite positions, and unit
// vertex normals (a zero normal lights a wall as if it faced nowhere) on the
// sections whose normals the builder promises, start ... end + 1.
#include <cmath>
#include <cstdio>

#include "fuzz_support.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

namespace fuzz {

inline bool Finite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

inline void RequireSoundMesh(const Orbalt2& mesh, const TunnelBuilder& builder) {
    for (uint32_t v = 0; v < mesh.nVertices; ++v) Require(Finite(mesh.pos[v]), "vertex positions are finite");
    for (int32_t section = builder.start; section <= builder.end + 1; ++section) {
        for (uint32_t j = 0; j < mesh.nSegPoints; ++j) {
            const uint32_t v = mesh.VertexOf(mesh.SlotOf(section), j);
            const Vector3& n = mesh.norm[v];
            const bool unit = std::fabs(n.SquaredLength() - 1.0f) < 1e-3f;
            if (!unit)
                std::fprintf(stderr, "section %d point %u at (%g %g %g): normal (%g %g %g)\n", section, j,
                             mesh.pos[v].x, mesh.pos[v].y, mesh.pos[v].z, n.x, n.y, n.z);
            Require(unit, "vertex normals have unit length");
        }
    }
}

}  // namespace fuzz
