// The ring mesh: sizing, topology, strips, normals, texture coordinates and
// the statistics lines.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/stub/stub_control.h"
#include "tunnel/orbalt2.h"

namespace {

void ExpectTriangle(const Orbalt2& mesh, uint32_t t, uint32_t a, uint32_t b, uint32_t c) {
    EXPECT_EQ(mesh.triV[t].v[0], a) << "triangle " << t;
    EXPECT_EQ(mesh.triV[t].v[1], b) << "triangle " << t;
    EXPECT_EQ(mesh.triV[t].v[2], c) << "triangle " << t;
}

// A straight tube of circles of the given radius, counter-clockwise seen from +z.
void FillTube(Orbalt2& mesh, float radius, float spacing) {
    for (uint32_t s = 0; s < mesh.nSegments; ++s)
        for (uint32_t j = 0; j < mesh.nSegPoints; ++j) {
            const double angle = 2.0 * M_PI * j / mesh.nSegPoints;
            mesh.pos[mesh.VertexOf(s, j)] =
                Vector3{static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle)),
                        static_cast<float>(s) * spacing};
        }
}

bool IsFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

TEST(Orbalt2Sizing, DefaultSizeGivesItsCounts) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(64, 256));
    EXPECT_EQ(mesh.nSegments, 256u);
    EXPECT_EQ(mesh.nSegPoints, 64u);
    EXPECT_EQ(mesh.nVertices, 16384u);
    EXPECT_EQ(mesh.nTriangles, 32768u);
    EXPECT_EQ(mesh.nSubBoxes, 8u);
    EXPECT_EQ(mesh.StripLength(), 130u);
    EXPECT_EQ(mesh.lists[255], 0u);
}

TEST(Orbalt2Sizing, RejectsBadCountsAndReleasesTheOldMesh) {
    Orbalt2 mesh;
    EXPECT_TRUE(mesh.Init(4, 2));  // the smallest mesh
    const struct {
        uint32_t points, segments;
    } bad[] = {{3, 256}, {64, 1}, {48, 256}, {64, 0}, {0, 256}, {64, 96}, {1u << 31, 2}, {1u << 16, 1u << 16}};
    for (const auto& counts : bad) {
        mesh.Init(8, 8);
        EXPECT_FALSE(mesh.Init(counts.points, counts.segments)) << counts.points << " x " << counts.segments;
        EXPECT_EQ(mesh.nSegments, 0u);
        EXPECT_EQ(mesh.nVertices, 0u);
        EXPECT_EQ(mesh.pos, nullptr);
        EXPECT_EQ(mesh.subBoxes, nullptr);
    }
}

TEST(Orbalt2Sizing, DrawingStateSurvivesSizing) {
    Orbalt2 mesh;
    EXPECT_EQ(mesh.renderMode, RenderMode::SolidSmooth);
    EXPECT_EQ(mesh.normals, 1);
    mesh.renderMode = RenderMode::Wireframe;
    mesh.texcoords = 1;
    ASSERT_TRUE(mesh.Init(16, 8));
    EXPECT_EQ(mesh.renderMode, RenderMode::Wireframe);
    EXPECT_EQ(mesh.texcoords, 1);
    EXPECT_EQ(mesh.listsActive, 0);
}

#if defined(__SANITIZE_ADDRESS__)
// The test program caps single allocations (see allocation_limit.cpp), so a
// large mesh fails part-way through its arrays.
TEST(Orbalt2Sizing, FailedAllocationLeavesNothingHalfBuilt) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(16, 16));
    EXPECT_FALSE(mesh.Init(1024, 1024));  // positions fit under the cap, colours do not
    EXPECT_EQ(mesh.nSegments, 0u);
    EXPECT_EQ(mesh.pos, nullptr);
    EXPECT_EQ(mesh.clr, nullptr);
    EXPECT_TRUE(mesh.Init(16, 16));
}
#endif

TEST(Orbalt2Topology, SmallestMeshWrapsToSlotZeroAndPointZero) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(4, 2));
    ExpectTriangle(mesh, 0, 0, 4, 1);
    ExpectTriangle(mesh, 1, 1, 4, 5);
    ExpectTriangle(mesh, 6, 3, 7, 0);  // last quad of segment 0 wraps to point 0
    ExpectTriangle(mesh, 7, 0, 7, 4);
    ExpectTriangle(mesh, 8, 4, 0, 5);  // last segment joins slot 1 to slot 0
    ExpectTriangle(mesh, 15, 4, 3, 0);
}

TEST(Orbalt2Topology, LastQuadOfEverySegmentWraps) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(16, 8));
    const uint32_t p = 16;
    for (uint32_t s = 0; s < 8; ++s) {
        const uint32_t a = s * p, b = ((s + 1) % 8) * p;
        ExpectTriangle(mesh, 2 * (s * p + p - 1), a + p - 1, b + p - 1, a);
        ExpectTriangle(mesh, 2 * (s * p + p - 1) + 1, a, b + p - 1, b);
    }
}

// Walking a strip as GL does (alternating winding) must give back each
// segment's triangles in order with the same orientation.
TEST(Orbalt2Topology, StripsReproduceTheTriangles) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(8, 4));
    const uint32_t length = mesh.StripLength();
    for (uint32_t s = 0; s < mesh.nSegments; ++s) {
        const uint32_t* strip = &mesh.strips[s * length];
        for (uint32_t k = 0; k + 2 < length; ++k) {
            const uint32_t t = 2 * s * mesh.nSegPoints + k;
            const uint32_t a = strip[k], b = strip[k + 1], c = strip[k + 2];
            if (k % 2 == 0)
                ExpectTriangle(mesh, t, a, b, c);
            else  // odd strip triangles are drawn as (k+1, k, k+2)
                ExpectTriangle(mesh, t, b, a, c);
        }
    }
}

TEST(Orbalt2Normals, TubeNormalsPointInwardAndAreUnitLength) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(32, 8));
    FillTube(mesh, 0.5f, 0.03125f);
    mesh.ComputeFaceNormals(0, 7);  // the last segment would join the far end to the start
    mesh.ComputeVertexNormals(1, 6);
    for (uint32_t t = 0; t < 2 * 32 * 7; ++t) {
        const Vector3& n = mesh.triN[t];
        const Vector3& p = mesh.pos[mesh.triV[t].v[0]];
        EXPECT_NEAR(n.SquaredLength(), 1.0f, 1e-5f);
        EXPECT_LT(n.x * p.x + n.y * p.y, 0.0f) << "triangle " << t << " faces outward";
        EXPECT_NEAR(n.z, 0.0f, 1e-5f);
    }
    for (uint32_t v = mesh.VertexOf(1, 0); v < mesh.VertexOf(7, 0); ++v) {
        const Vector3& n = mesh.norm[v];
        EXPECT_NEAR(n.x, -mesh.pos[v].x / 0.5f, 1e-3f);
        EXPECT_NEAR(n.y, -mesh.pos[v].y / 0.5f, 1e-3f);
    }
}

TEST(Orbalt2Normals, RangesOfAnySignWrapAroundTheRing) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(8, 8));
    FillTube(mesh, 0.5f, 1.0f);
    mesh.ComputeFaceNormals(-3, 2);  // segments -3 and -2: slots 5 and 6 only
    for (uint32_t s = 0; s < 8; ++s) {
        const bool computed = s == 5 || s == 6;
        EXPECT_EQ(mesh.triN[2 * 8 * s].SquaredLength() > 0.5f, computed) << "slot " << s;
    }
    mesh.ComputeFaceNormals(0, 100);  // count cut to the ring
    EXPECT_GT(mesh.triN[2 * 8 * 7].SquaredLength(), 0.5f);
}

TEST(Orbalt2Normals, DegenerateGeometryGivesFiniteNormals) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(16, 8));  // every position at the origin
    mesh.ComputeFaceNormals(0, 8);
    mesh.ComputeVertexNormals(0, 8);
    for (uint32_t t = 0; t < mesh.nTriangles; ++t) EXPECT_TRUE(IsFinite(mesh.triN[t]));
    for (uint32_t v = 0; v < mesh.nVertices; ++v) EXPECT_TRUE(IsFinite(mesh.norm[v]));
    EXPECT_EQ(mesh.triN[0].SquaredLength(), 0.0f);
}

// A section turned half a round against its neighbours (a walk with large
// steps can flip a component's radius): the faces on either side fold back
// onto each other and their normals cancel. The vertex normals there are the
// profile's own, pointing inward in the section's plane.
TEST(Orbalt2Normals, FacesThatCancelGiveTheProfilesNormal) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(16, 8));
    FillTube(mesh, 0.5f, 0.03125f);
    for (uint32_t j = 0; j < 16; ++j) {
        Vector3& p = mesh.pos[mesh.VertexOf(3, j)];
        p.x = -p.x;
        p.y = -p.y;
    }
    mesh.ComputeFaceNormals(0, 7);
    mesh.ComputeVertexNormals(1, 6);
    for (uint32_t j = 0; j < 16; ++j) {
        const Vector3& p = mesh.pos[mesh.VertexOf(3, j)];
        const Vector3& n = mesh.norm[mesh.VertexOf(3, j)];
        EXPECT_NEAR(n.x, -p.x / 0.5f, 1e-5f) << "point " << j;
        EXPECT_NEAR(n.y, -p.y / 0.5f, 1e-5f) << "point " << j;
        EXPECT_EQ(n.z, 0.0f) << "point " << j;
    }
}

TEST(Orbalt2TexCoords, MirroredAlongTheRingAndAroundEachSection) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(64, 256));
    mesh.ComputeTexCoords(2, 16);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(0, 0)].s, 0.0f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(16, 0)].s, 1.0f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(32, 0)].s, 0.0f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(8, 0)].s, 0.5f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(24, 5)].s, 0.5f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(3, 0)].t, 0.0f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(3, 32)].t, 1.0f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(3, 16)].t, 0.5f);
    EXPECT_FLOAT_EQ(mesh.texc[mesh.VertexOf(3, 48)].t, 0.5f);
    // Continuous across the seam: the last slot and last point are one step from 0.
    EXPECT_NEAR(mesh.texc[mesh.VertexOf(255, 63)].s, 1.0f / 16.0f, 1e-6f);
    EXPECT_NEAR(mesh.texc[mesh.VertexOf(255, 63)].t, 1.0f / 32.0f, 1e-6f);
}

TEST(Orbalt2Dump, WritesTheFourStatisticsLines) {
    platform::stub::Reset();
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(64, 256));
    Console console;
    mesh.Dump(console);
    const std::string& text = platform::stub::state().consoleText;
    char first[64];
    std::snprintf(first, sizeof first, "Orbalt2 @ 0x%X \n",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(&mesh)));
    EXPECT_EQ(text.rfind(first, 0), 0u) << text;
    EXPECT_NE(text.find("\nnSegments 256, nSegPoints 64, nVertices 16384, nTriangles 32768 \npos @ 0x"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(", texc @ 0x"), std::string::npos);
    EXPECT_NE(text.find("\ntriV @ 0x"), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}

}  // namespace
