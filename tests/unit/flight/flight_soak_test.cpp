// 200,000 frames of random flight through the default tunnel: the camera
// stays finite, in the segment its z names, within the wrap-around range,
// and never more than one step behind the wall.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "support/flight_harness.h"

namespace {

using platform::stub::state;

// The shell's frame on the program-wide objects, driven through the window
// procedure as the program's messages drive it.
class FlightSoak : public ::testing::Test {
protected:
    void SetUp() override {
        harness::StartFlightAfresh();
        mouse.Capture(true, reinterpret_cast<platform::WindowHandle>(0x1010));
    }
    void TearDown() override { harness::ReleaseTunnel(); }

    void StartAt(float z) {
        ASSERT_TRUE(harness::BuildDefaultTunnel(z));
        camera.position.Set(0.0f, 0.0f, z);
        camera.yaw = 180.0f;
        camera.pitch = 0.0f;
        UpdateDirection(camera);
    }

    // One frame as the program runs it, then the checks.
    void Frame(harness::Pilot& pilot) {
        pilot.Frame();
        StepFrame();
        UpdateDirection(camera);  // what the drawing of the frame does
        escapes += static_cast<int>(std::count(state().calls.begin(), state().calls.end(), "SimpleBeep"));
        state().calls.clear();
        Check();
    }

    void Check() {
        const Vector3& p = camera.position;
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z)) << "frame " << frame;
        ASSERT_TRUE(std::fabs(camera.yaw) <= 360.0f && std::fabs(camera.pitch) <= 90.0f) << "frame " << frame;
        const float L = WrapLength(tunnelMesh, tunnelBuilder.spacing);
        ASSERT_LE(std::fabs(p.z), L + flight.maxStep) << "frame " << frame;

        // The collision looked at the segment of z; its push may have carried
        // z by at most the clearance, into the neighbour segment.
        const int32_t n = static_cast<int32_t>(tunnelMesh.nSegments);
        int32_t segment = SegmentOf(p.z, tunnelBuilder.spacing, tunnelMesh.nSegments);
        if (segment != collisionState.segment) {
            int32_t before = SegmentOf(p.z - collisionState.clearance, tunnelBuilder.spacing, n);
            int32_t after = SegmentOf(p.z + collisionState.clearance, tunnelBuilder.spacing, n);
            ASSERT_TRUE(collisionState.segment == before || collisionState.segment == after)
                << "frame " << frame << ": z " << p.z << " in segment " << segment << ", collision used "
                << collisionState.segment;
        }
        float depth = harness::DepthBehindWall(p);
        deepest = std::max(deepest, depth);
        ASSERT_LE(depth, flight.maxStep * 1.0001f)
            << "frame " << frame << " at " << p.x << " " << p.y << " " << p.z;
        if (std::fabs(p.z - lastZ) > L / 2) ++wraps;
        if (flight.autopilot) ++autopilotFrames;
        if (collisionState.nearestDistance < collisionState.clearance) ++pushes;
        lastZ = p.z;
        ++frame;
    }

    int frame = 0;
    int wraps = 0;
    int escapes = 0;
    int autopilotFrames = 0;
    int pushes = 0;
    float lastZ = 0.0f;
    float deepest = 0.0f;
};

TEST_F(FlightSoak, TwoHundredThousandRandomFrames) {
    constexpr int kFrames = 200000;
    harness::Pilot pilot(20261207);
    const float L = 512.0f;

    // Forward across +L.
    StartAt(L - 0.02f);
    lastZ = camera.position.z;
    pilot.HoldFor(60, true, false, 0, 0);
    for (int i = 0; i < 60; ++i) Frame(pilot);
    ASSERT_EQ(wraps, 1);
    EXPECT_LT(camera.position.z, 0.5f);
    while (frame < kFrames / 2 && !HasFatalFailure()) Frame(pilot);

    // Backward across -L.
    StartAt(-L + 0.02f);
    lastZ = camera.position.z;
    pilot.HoldFor(60, false, true, 0, 0);
    int wrapsBefore = wraps;
    for (int i = 0; i < 60; ++i) Frame(pilot);
    ASSERT_EQ(wraps, wrapsBefore + 1);
    EXPECT_GT(camera.position.z, -0.5f);
    while (frame < kFrames && !HasFatalFailure()) Frame(pilot);

    RecordProperty("deepest", std::to_string(deepest));
    RecordProperty("wraps", wraps);
    RecordProperty("escapes", escapes);
    RecordProperty("autopilotFrames", autopilotFrames);
    RecordProperty("pushes", pushes);
    // The flight must have met the wall often for the checks to mean anything.
    EXPECT_GT(pushes, 1000);
}

}  // namespace
