// The cost of one frame's flight step and collision, timed frame by frame so
// that the median and the slowest frame can be reported; a long random
// flight through the default tunnel, the soak test's flight at any length;
// and the cruise pilot's unattended tick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "flight/cruise_pilot.h"
#include "support/flight_harness.h"

namespace {

// One frame's flight step and collision on the program-wide objects, as the
// frame makes them.
bool FlightAndCollision() {
    UpdateFlight(ReadDevices(mouse, joystick, keyboard, false, platform::TickCount()), frameTime, flight, camera);
    return CollideWithTunnel(tunnelMesh, tunnelBuilder.spacing, collisionState, camera.position);
}

// Runs the device reading, UpdateFlight and CollideWithTunnel once per iteration and reports the
// median and the largest single frame in nanoseconds.
void TimeFrames(benchmark::State& state) {
    std::vector<double> frames;
    frames.reserve(1 << 20);
    for (auto _ : state) {
        auto begin = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(FlightAndCollision());
        auto end = std::chrono::steady_clock::now();
        frames.push_back(std::chrono::duration<double, std::nano>(end - begin).count());
        mouse.changed = keyboard.changed = joystick.changed = false;
    }
    if (frames.empty()) return;
    std::sort(frames.begin(), frames.end());
    state.counters["median_ns"] = frames[frames.size() / 2];
    state.counters["p99_ns"] = frames[frames.size() * 99 / 100];
    state.counters["max_ns"] = frames.back();
}

// On the axis, flying forward: the camera square meets no sub-box.
void BM_FlightFrameOnAxis(benchmark::State& state) {
    harness::StartFlightAfresh();
    frameTime = 0.1f;
    if (!harness::BuildDefaultTunnel(0.0f)) return state.SkipWithError("no tunnel");
    flight.speed = 0.0f;
    TimeFrames(state);
    if (collisionState.triangle != 0) state.SkipWithError("a triangle was examined on the axis");
}
BENCHMARK(BM_FlightFrameOnAxis);

// Flying sideways into the wall at full flight.speed: every frame one step into it
// and a push back, the mouse steering a little.
void BM_FlightFrameAtTheWall(benchmark::State& state) {
    harness::StartFlightAfresh();
    frameTime = 0.1f;
    if (!harness::BuildDefaultTunnel(0.0f)) return state.SkipWithError("no tunnel");
    camera.position.z = 0.3f;
    camera.yaw = 90.0f;
    UpdateDirection(camera);
    flight.speed = 0.2f;
    flight.mouseIdle = false;
    for (int i = 0; i < 200; ++i) {  // reach the wall first
        FlightAndCollision();
    }
    TimeFrames(state);
    if (!(collisionState.nearestDistance < collisionState.clearance)) state.SkipWithError("not at the wall");
}
BENCHMARK(BM_FlightFrameAtTheWall);

// The soak flight, whole frames with tunnel upkeep and device messages.
void BM_LongRandomFlight(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        harness::StartFlightAfresh();
        mouse.Capture(true, nullptr);
        if (!harness::BuildDefaultTunnel(0.0f)) return state.SkipWithError("no tunnel");
        harness::Pilot pilot(static_cast<uint32_t>(frames));
        state.ResumeTiming();
        for (int i = 0; i < frames; ++i) {
            pilot.Frame();
            StepFrame();
            UpdateDirection(camera);
            const Vector3& p = camera.position;
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
                return state.SkipWithError("camera position not finite");
            if (harness::DepthBehindWall(p) > flight.maxStep * 1.0001f)
                return state.SkipWithError("camera more than a step behind the wall");
            platform::stub::state().calls.clear();
        }
    }
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LongRandomFlight)->Arg(200000)->Arg(2000000)->Unit(benchmark::kMillisecond)->Iterations(1);

// One unattended tick of the cruise pilot through the default tunnel, at a
// speed and frame rate: the pilot's step, the builder's update with the
// sections the flight needs, the wrap-around and the collision. The flight
// goes on from iteration to iteration, deeper into the tunnel.
void BM_CruiseTick(benchmark::State& state) {
    CruiseOptions options;
    options.speed = static_cast<float>(state.range(0)) / 100.0f;
    const float frameTime = 1.0f / static_cast<float>(state.range(1));
    Orbalt2 mesh;
    TunnelBuilder builder;
    if (!BuildStandardTunnel(mesh, builder, TunnelParams{}, harness::SectionFile().c_str()))
        return state.SkipWithError("no tunnel");
    CollisionState collision;
    collision.clearance = FlightState{}.maxStep;
    CruiseState pilot;
    Camera camera;
    StartCruise(mesh, builder, pilot, camera);
    int pushes = 0;
    for (auto _ : state) {
        if (CruiseTick(options, frameTime, mesh, builder, collision, pilot, camera)) ++pushes;
        benchmark::DoNotOptimize(camera.position);
    }
    // Pushes by the collision, which the pilot never lets happen where the tunnel leaves room.
    state.counters["pushes"] = pushes;
}
// Speed in hundredths of a world unit per second, frames per second.
BENCHMARK(BM_CruiseTick)->Args({15, 60})->Args({40, 15})->Args({5, 240});

}  // namespace

BENCHMARK_MAIN();
