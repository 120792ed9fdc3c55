// The frame's steps around the flight: the changed flags, the wrap-around by
// whole ring lengths and the collision, on the default tunnel.
#include <gtest/gtest.h>

#include "support/flight_harness.h"

namespace {

using platform::stub::state;

TEST(WrapAround, LengthIsSixtyFourRings) {
    Orbalt2 mesh;
    ASSERT_TRUE(mesh.Init(64, 256));
    EXPECT_EQ(WrapLength(mesh, 0.03125f), 512.0f);
    ASSERT_TRUE(mesh.Init(4, 8));
    EXPECT_EQ(WrapLength(mesh, 0.5f), 256.0f);
}

TEST(WrapAround, OnlyStrictlyBeyondTheLengthWraps) {
    EXPECT_EQ(WrapDistance(512.0f, 512.0f), 0.0f);
    EXPECT_EQ(WrapDistance(-512.0f, 512.0f), 0.0f);
    EXPECT_EQ(WrapDistance(512.00006f, 512.0f), -512.0f);
    EXPECT_EQ(WrapDistance(-512.00006f, 512.0f), 512.0f);
    EXPECT_EQ(WrapDistance(3.0f, 512.0f), 0.0f);
}

// The shell's frame on the program-wide objects, started afresh for each test.
class FrameStep : public ::testing::Test {
protected:
    void SetUp() override { harness::StartFlightAfresh(); }
    void TearDown() override { harness::ReleaseTunnel(); }

    // The next counter reading, `seconds` after the previous one.
    void After(float seconds) {
        counter += static_cast<int64_t>(seconds * harness::kCountsPerSecond);
        state().counterValues.push_back(counter);
    }
    int64_t counter = 0;
};

TEST_F(FrameStep, MeasuresTheFrameAndClearsEveryChangedFlag) {
    mouse.changed = keyboard.changed = joystick.changed = true;
    After(0.02f);
    StepFrame();  // no tunnel built: flight only
    EXPECT_NEAR(frameTime, 0.02f, 1e-6f);
    EXPECT_FALSE(mouse.changed);
    EXPECT_FALSE(keyboard.changed);
    EXPECT_FALSE(joystick.changed);
    EXPECT_FALSE(flight.mouseIdle);  // the flight step saw the flag before it was cleared
}

TEST_F(FrameStep, CameraAtExactlyTheWrapLengthStaysAndTheNextFramePastItWraps) {
    ASSERT_TRUE(harness::BuildDefaultTunnel(511.9f));
    camera.position.Set(0.0f, 0.0f, 512.0f);
    After(0.02f);
    StepFrame();
    EXPECT_EQ(camera.position.z, 512.0f);
    const int32_t start = tunnelBuilder.start;
    const float firstZ = tunnelMesh.pos[0].z;

    flight.speed = 0.2f;
    After(0.1f);
    StepFrame();
    EXPECT_NEAR(camera.position.z, flight.maxStep, 1e-4f);
    EXPECT_EQ(tunnelBuilder.start, start - 16384);  // the tunnel moved back with the camera
    EXPECT_EQ(tunnelMesh.pos[0].z, firstZ - 512.0f);
    EXPECT_EQ(collisionState.segment, 0);
}

TEST_F(FrameStep, BackwardPastMinusTheWrapLengthWrapsForward) {
    ASSERT_TRUE(harness::BuildDefaultTunnel(-511.99f));
    camera.position.Set(0.0f, 0.0f, -511.999f);
    flight.speed = -0.2f;
    After(0.1f);
    StepFrame();
    EXPECT_NEAR(camera.position.z, (-511.999f - flight.maxStep) + 512.0f, 1e-4f);
    EXPECT_EQ(collisionState.segment, 255);
}

// A builder that cannot generate what the camera needs within its budget
// holds the camera at the last segment it serves, and lets it on once the
// sections are there.
TEST_F(FrameStep, TheCameraWaitsWhereTheTunnelIsNotGeneratedYet) {
    ASSERT_TRUE(harness::BuildDefaultTunnel(0.0f));
    tunnelBuilder.updateBudget = 1e-12;     // one walker try a frame
    camera.position.Set(0.0f, 0.0f, 1.0f);  // segment 32; the window serves up to segment 3
    After(0.02f);
    StepFrame();
    EXPECT_EQ(tunnelBuilder.current, 3);
    EXPECT_TRUE(tunnelBuilder.Generating());
    EXPECT_LT(camera.position.z, 4 * 0.03125f);
    EXPECT_GT(camera.position.z, 4 * 0.03125f - 1e-6f);
    EXPECT_EQ(collisionState.segment, 3);

    tunnelBuilder.updateBudget = 0.0;
    flight.speed = 0.2f;
    After(0.1f);
    StepFrame();
    EXPECT_NEAR(camera.position.z, 4 * 0.03125f + flight.maxStep, 1e-6f);
    EXPECT_EQ(tunnelBuilder.current, 4);
    EXPECT_FALSE(tunnelBuilder.Generating());
}

// A new ring that takes many frames to make: the camera waits at rest
// whatever its speed, the devices' flags are still cleared, and the frame
// that makes the ring whole colours it from its normals and flies on.
TEST_F(FrameStep, TheCameraWaitsForANewRingToBeWhole) {
    tunnelBuilder.buildBudget = 1e-12;  // one walker try a frame
    ASSERT_TRUE(harness::BuildDefaultTunnel(0.0f));
    flight.speed = 0.2f;
    int frames = 0;
    while (tunnelBuilder.Building()) {
        mouse.changed = true;
        After(0.02f);
        StepFrame();
        ASSERT_FALSE(mouse.changed);
        ++frames;
        if (tunnelBuilder.Building()) {
            ASSERT_EQ(camera.position.z, 0.0f) << "frame " << frames;
        }
    }
    EXPECT_GT(frames, 256);
    ASSERT_TRUE(tunnelBuilder.Ready());
    EXPECT_GT(camera.position.z, 0.0f);
    const Vector3& normal = tunnelMesh.norm[tunnelMesh.VertexOf(5, 7)];
    const Color4& colour = tunnelMesh.clr[tunnelMesh.VertexOf(5, 7)];
    EXPECT_EQ(colour.r, normal.x);
    EXPECT_EQ(colour.b, normal.z);
}

TEST_F(FrameStep, CollisionKeepsTheCameraOffTheWallOfTheBuiltTunnel) {
    ASSERT_TRUE(harness::BuildDefaultTunnel(0.0f));
    // Fly straight at the wall to the side, at full flight.speed.
    camera.yaw = 90.0f;
    UpdateDirection(camera);
    flight.speed = 0.2f;
    for (int frame = 0; frame < 400; ++frame) {
        After(0.1f);
        StepFrame();
        UpdateDirection(camera);
        ASSERT_LE(harness::DepthBehindWall(camera.position), 0.0f) << "frame " << frame;
    }
    EXPECT_LT(collisionState.nearestDistance, collisionState.clearance);  // pushed again every frame
    EXPECT_LT(camera.position.x, -0.1f);                                  // it did reach the wall
}

}  // namespace
