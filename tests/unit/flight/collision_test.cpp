// Collision with the tunnel wall on small tubes of known shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "flight/collision.h"
#include "platform/stub/stub_control.h"
#include "test_meshes.h"

namespace {

using platform::stub::state;
using test_meshes::MakeTube;

constexpr float kSpacing = 0.03125f;
constexpr float kClearance = 0.2f / 30.0f;

int Beeps() { return static_cast<int>(std::count(state().calls.begin(), state().calls.end(), "SimpleBeep")); }

class Collision : public ::testing::Test {
protected:
    void SetUp() override {
        platform::stub::Reset();
        collision.clearance = kClearance;
    }
    bool Collide(Vector3& position) { return CollideWithTunnel(mesh, kSpacing, collision, position); }

    Orbalt2 mesh;
    CollisionState collision;
};

TEST_F(Collision, CameraOnTheAxisExaminesNoTriangle) {
    ASSERT_TRUE(
        MakeTube(mesh, 64, 16, kSpacing, [](uint32_t j, uint32_t n) { return test_meshes::Circle(j, n, 0.5f); }));
    collision.triangle = 77;
    Vector3 position{0.0f, 0.0f, 0.1f};
    EXPECT_FALSE(Collide(position));
    EXPECT_EQ(collision.segment, 3);
    EXPECT_EQ(collision.nearestDistance, 1.0f);
    EXPECT_EQ(collision.triangle, 0);
    EXPECT_EQ(position.x, 0.0f);
    EXPECT_EQ(position.y, 0.0f);
    EXPECT_EQ(position.z, 0.1f);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(Collision, CameraNearAFlatWallIsPushedToExactlyTheClearance) {
    ASSERT_TRUE(MakeTube(mesh, 4, 16, kSpacing, test_meshes::Square));
    Vector3 position{0.3f, 1.0f - 0.002f, 1.4f * kSpacing};
    EXPECT_TRUE(Collide(position));
    EXPECT_EQ(collision.segment, 1);
    EXPECT_NEAR(collision.nearestDistance, 0.002f, 1e-7f);
    // The wall y = 1 is quad 0 of segment 1, whose normals point to the axis.
    EXPECT_TRUE(collision.triangle == 8 || collision.triangle == 9) << collision.triangle;
    EXPECT_EQ(mesh.triN[collision.triangle].y, -1.0f);
    EXPECT_NEAR(1.0f - position.y, kClearance, 1e-7f);
    EXPECT_FLOAT_EQ(position.x, 0.3f);
    EXPECT_FLOAT_EQ(position.z, 1.4f * kSpacing);

    // Now exactly at the clearance: no further push.
    Vector3 settled = position;
    EXPECT_FALSE(Collide(position));
    EXPECT_EQ(position.y, settled.y);
}

TEST_F(Collision, FirstTriangleWinsAmongEqualDistances) {
    ASSERT_TRUE(MakeTube(mesh, 4, 16, kSpacing, test_meshes::Square));
    // Opposite the middle of the diagonal that triangles 8 and 9 share.
    Vector3 position{0.0f, 1.0f - 0.002f, 1.5f * kSpacing};
    Vector3 q8, q9;
    ClosestPointOnTriangle(mesh.pos[mesh.triV[8].v[0]], mesh.pos[mesh.triV[8].v[1]], mesh.pos[mesh.triV[8].v[2]],
                           position, q8);
    ClosestPointOnTriangle(mesh.pos[mesh.triV[9].v[0]], mesh.pos[mesh.triV[9].v[1]], mesh.pos[mesh.triV[9].v[2]],
                           position, q9);
    auto distance = [&](const Vector3& q) {
        Vector3 d{q.x - position.x, q.y - position.y, q.z - position.z};
        return std::sqrt(d.SquaredLength());
    };
    ASSERT_EQ(distance(q8), distance(q9));
    Collide(position);
    EXPECT_EQ(collision.triangle, 8);
}

TEST_F(Collision, NegativeZMapsIntoTheRing) {
    EXPECT_EQ(SegmentOf(-0.01f, kSpacing, 256), 255);
    EXPECT_EQ(SegmentOf(-kSpacing, kSpacing, 256), 255);
    EXPECT_EQ(SegmentOf(-kSpacing - 0.001f, kSpacing, 256), 254);
    EXPECT_EQ(SegmentOf(0.0f, kSpacing, 256), 0);
    EXPECT_EQ(SegmentOf(256 * kSpacing + 0.001f, kSpacing, 256), 0);
    EXPECT_EQ(SegmentOf(511.99f, kSpacing, 256), 255);
    EXPECT_EQ(SegmentOf(-512.0f, kSpacing, 256), 0);
    // Positions no wrap-around lets happen still give a slot of the ring.
    EXPECT_EQ(SegmentOf(1e20f, kSpacing, 256), 0);
    EXPECT_EQ(SegmentOf(NAN, kSpacing, 256), 0);
    EXPECT_EQ(SegmentOf(1.0f, 0.0f, 256), 0);

    ASSERT_TRUE(MakeTube(mesh, 4, 256, kSpacing, test_meshes::Square));
    Vector3 position{0.3f, 0.5f, -0.01f};
    Collide(position);
    EXPECT_EQ(collision.segment, 255);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(Collision, CameraOutsideTheSegmentBoxBeepsAndReturnsToTheAxis) {
    ASSERT_TRUE(
        MakeTube(mesh, 64, 16, kSpacing, [](uint32_t j, uint32_t n) { return test_meshes::Circle(j, n, 0.5f); }));
    Vector3 position{0.52f, -0.1f, 0.2f};
    EXPECT_FALSE(Collide(position));
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(position.x, 0.0f);
    EXPECT_EQ(position.y, 0.0f);
    EXPECT_EQ(position.z, 0.2f);
    EXPECT_EQ(collision.nearestDistance, 1.0f);  // searched from the old position: nothing near

    // Back on the axis nothing more happens.
    EXPECT_FALSE(Collide(position));
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(Collision, CameraJustBehindTheWallIsPushedBackToTheClearanceInFront) {
    ASSERT_TRUE(MakeTube(mesh, 4, 16, kSpacing, test_meshes::Square));
    Vector3 position{-0.2f, 1.003f, 2.5f * kSpacing};
    EXPECT_TRUE(Collide(position));
    EXPECT_EQ(Beeps(), 0);
    EXPECT_NEAR(collision.nearestDistance, 0.003f, 1e-6f);
    EXPECT_NEAR(position.y, 1.0f - kClearance, 1e-6f);
}

TEST_F(Collision, FlyingStraightIntoTheWallNeverGetsThrough) {
    ASSERT_TRUE(MakeTube(mesh, 4, 16, kSpacing, test_meshes::Square));
    // Each frame one full step (the clearance) toward the wall y = 1, a
    // little more than what the push gave back.
    Vector3 position{0.1f, 0.5f, 3.5f * kSpacing};
    for (int frame = 0; frame < 400; ++frame) {
        position.y += kClearance * 1.01f;
        Collide(position);
        ASSERT_LT(position.y, 1.0f) << "frame " << frame;
    }
    EXPECT_NEAR(position.y, 1.0f - kClearance, 1e-5f);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(Collision, TrianglesWithoutAreaAreNeverChosen) {
    ASSERT_TRUE(MakeTube(mesh, 4, 16, kSpacing, test_meshes::Square));
    // Sections 2 and 3 made equal: every triangle of segment 2 has no area.
    for (uint32_t j = 0; j < 4; ++j) mesh.pos[mesh.VertexOf(3, j)] = mesh.pos[mesh.VertexOf(2, j)];
    mesh.ComputeFaceNormals(0, 16);
    test_meshes::FillBoxes(mesh);
    Vector3 position{0.3f, 0.999f, 2.0f * kSpacing + 0.001f};
    EXPECT_FALSE(Collide(position));
    EXPECT_EQ(collision.segment, 2);
    EXPECT_EQ(collision.nearestDistance, 1.0f);
    EXPECT_TRUE(std::isfinite(position.x) && std::isfinite(position.y) && std::isfinite(position.z));
    EXPECT_EQ(position.y, 0.999f);

    // One flat triangle (two equal corners) beside proper ones: the proper one is chosen.
    ASSERT_TRUE(MakeTube(mesh, 4, 16, kSpacing, test_meshes::Square));
    mesh.pos[mesh.VertexOf(5, 1)] = mesh.pos[mesh.VertexOf(5, 0)];  // triangle 40 loses its area
    mesh.ComputeFaceNormals(0, 16);
    test_meshes::FillBoxes(mesh);
    position = Vector3{0.9f, 0.999f, 5.0f * kSpacing + 0.0001f};
    EXPECT_TRUE(Collide(position));
    EXPECT_NE(collision.triangle, 40);
    EXPECT_GT(mesh.triN[collision.triangle].SquaredLength(), 0.5f);
    EXPECT_TRUE(std::isfinite(position.x) && std::isfinite(position.y) && std::isfinite(position.z));
}

TEST_F(Collision, EmptyMeshLeavesTheCameraAlone) {
    Vector3 position{0.3f, 0.2f, 0.1f};
    EXPECT_FALSE(Collide(position));
    EXPECT_EQ(collision.nearestDistance, 1.0f);
    EXPECT_EQ(position.x, 0.3f);
    EXPECT_EQ(Beeps(), 0);
}

}  // namespace
