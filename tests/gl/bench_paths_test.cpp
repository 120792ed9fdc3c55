// The benchmark's measuring on the offscreen context: its flight, every
// drawing path against its bare loop, unsupported lock paths and a run cut
// short.
#include <gtest/gtest.h>

#include "display/glwindow.h"
#include "drawbench/bench_flight.h"
#include "drawbench/path_measure.h"
#include "flight/render_state.h"
#include "gl_context_fixture.h"
#include "platform/stub/stub_control.h"
#include "tunnel/standard_tunnel.h"

namespace {

// A short flight: a few distinct ranges keep the bare loops cheap to make.
constexpr FlightPlan kShortFlight{0.15f, 1.0 / 60.0, 40};
// A wireframe list holds both outlines of its segment, so its lines come in
// another order than the bare loop's; where two meet at the same depth a
// different one may be on top.
constexpr int64_t kWireframeTies = 16;  // of 307200 pixels

class BenchPaths : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        platform::stub::Reset();
        GLwindow window;
        window.width = kWidth;
        window.height = kHeight;
        InitRenderState(RenderStateOptions{}, window, camera);
        ASSERT_TRUE(BuildStandardTunnel(mesh, builder, TunnelParams{}, ORBALT_SOURCE_DIR "/data/test.sct"));
        ColorFromNormals(mesh);
        contextLock.lock = reinterpret_cast<LockArraysProc>(
            OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glLockArraysEXT"));
        contextLock.unlock = reinterpret_cast<UnlockArraysProc>(
            OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glUnlockArraysEXT"));
    }
    void TearDown() override {
        mesh.SetDisplayLists(false);
        GLTest::TearDown();
    }

    FrameTarget Offscreen() {
        return FrameTarget{kWidth, kHeight, [this] { glFinish(), ++presented; }, [this] { return keepGoing; }};
    }

    Orbalt2 mesh;
    TunnelBuilder builder;
    Camera camera;
    ArrayLock contextLock;
    int presented = 0;
    bool keepGoing = true;
};

TEST_F(BenchPaths, FlightIsTheSameFromTheSameTunnelAndFliesForwardInsideTheRing) {
    const std::vector<FlightFrame> flight = FlyBenchFlight(kShortFlight, mesh, builder, camera);
    ASSERT_EQ(flight.size(), kShortFlight.frames);
    for (size_t i = 1; i < flight.size(); ++i) {
        EXPECT_GT(flight[i].camera.position.z, flight[i - 1].camera.position.z) << i;
        EXPECT_GE(flight[i].firstSegment, flight[i - 1].firstSegment) << i;
    }
    EXPECT_GT(flight.back().firstSegment, flight.front().firstSegment);

    Orbalt2 otherMesh;
    TunnelBuilder otherBuilder;
    ASSERT_TRUE(BuildStandardTunnel(otherMesh, otherBuilder, TunnelParams{}, ORBALT_SOURCE_DIR "/data/test.sct"));
    const std::vector<FlightFrame> again = FlyBenchFlight(kShortFlight, otherMesh, otherBuilder, camera);
    ASSERT_EQ(again.size(), flight.size());
    for (size_t i = 0; i < flight.size(); ++i) {
        EXPECT_EQ(again[i].firstSegment, flight[i].firstSegment) << i;
        EXPECT_EQ(again[i].camera.position.z, flight[i].camera.position.z) << i;
        EXPECT_EQ(again[i].camera.yaw, flight[i].camera.yaw) << i;
        EXPECT_EQ(again[i].camera.pitch, flight[i].camera.pitch) << i;
    }
}

TEST_F(BenchPaths, FlightThatOutrunsTheRingIsRefused) {
    // 0.04 a frame: 150 frames fly 6 units, past the ring's reach ahead.
    EXPECT_TRUE(FlyBenchFlight(FlightPlan{0.4f, 0.1, 150}, mesh, builder, camera).empty());
    Orbalt2 unbuilt;
    TunnelBuilder idle;
    EXPECT_TRUE(FlyBenchFlight(kShortFlight, unbuilt, idle, camera).empty());
}

TEST_F(BenchPaths, EveryPathDrawsWhatItsBareLoopDraws) {
    const std::vector<FlightFrame> flight = FlyBenchFlight(kShortFlight, mesh, builder, camera);
    ASSERT_FALSE(flight.empty());
    const BenchScene scene{mesh, builder.lookahead, flight, contextLock};
    for (const DrawingPath& path : AllDrawingPaths()) {
        SCOPED_TRACE(PathName(path));
        const PathResult result = MeasurePath(path, scene, Offscreen(), RoundPlan{0.0, 2});
        EXPECT_TRUE(result.supported);
        const bool ties = path.mode == RenderMode::Wireframe && path.lists;
        EXPECT_LE(result.differingPixels, ties ? kWireframeTies : 0);
        EXPECT_GT(result.fps, 0.0);
        EXPECT_GT(result.bareFps, 0.0);
        EXPECT_LE(result.ratio.min, result.ratio.median);
        EXPECT_LE(result.ratio.median, result.ratio.max);
        EXPECT_GT(result.frameTimes.p50, 0.0);
        EXPECT_LE(result.frameTimes.p99, result.frameTimes.max);
        EXPECT_EQ(result.compileMs > 0.0, path.lists);
        EXPECT_EQ(mesh.listsActive, 0);  // left as it was found
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(BenchPaths, LockPathsWithoutTheExtensionAreUnsupportedAndDrawNothing) {
    const std::vector<FlightFrame> flight = FlyBenchFlight(kShortFlight, mesh, builder, camera);
    const BenchScene scene{mesh, builder.lookahead, flight, ArrayLock{}};
    for (const DrawingPath& path : SelectPaths("*lock*")) {
        const PathResult result = MeasurePath(path, scene, Offscreen(), RoundPlan{0.0, 2});
        EXPECT_FALSE(result.supported) << PathName(path);
        EXPECT_EQ(result.fps, 0.0);
    }
    EXPECT_EQ(presented, 0);
    const PathResult plain =
        MeasurePath(SelectPaths("points/arrays/no-lists").at(0), scene, Offscreen(), RoundPlan{0.0, 1});
    EXPECT_TRUE(plain.supported);
    EXPECT_GT(presented, 0);
}

TEST_F(BenchPaths, StopRequestCutsTheRoundsShort) {
    const std::vector<FlightFrame> flight = FlyBenchFlight(kShortFlight, mesh, builder, camera);
    const BenchScene scene{mesh, builder.lookahead, flight, contextLock};
    keepGoing = false;
    // Long rounds, many of them: a stopped run still ends after a few frames.
    MeasurePath(SelectPaths("solid-smooth/direct/no-lists").at(0), scene, Offscreen(), RoundPlan{60.0, 100});
    EXPECT_LE(presented, 2 + 6);  // the compared frames and the warm-up
}

}  // namespace
