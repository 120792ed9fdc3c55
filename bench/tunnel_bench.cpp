// Tunnel generation costs: the whole build at once and spread over frames,
// the walker's cost of one section at every profile size, and the cost of
// generating one section while flying (walker advance, face and vertex
// normals, boxes), and the generation time of every tick of flights at the
// speed limit, with and without the program's budget per tick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tunnel/orbalt2.h"
#include "tunnel/section.h"
#include "tunnel/section_file.h"
#include "tunnel/section_walker.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"

namespace {

constexpr float kSpacing = 0.03125f;

// Section files that load. 0: the default. 1: a star of eight arms whose
// eighths all reach near the centre, so every pair of its sub-boxes overlaps
// and the crossing test compares every pair of edges. 2: the slowest walk a
// random search over loadable files found (a wave drifting by up to 1e5
// degrees per section against a second, clockwise component).
SectionFile StarFile() {
    SectionFile file;
    const float star[kComponentParameters] = {0.45f, 0.4f, 0, 8, 0, 1};
    std::memcpy(file.params.components[0], star, sizeof star);
    file.params.enabled[0] = 1;
    return file;
}

SectionFile SearchedFile() {
    SectionFile file;
    const float steps[kComponentParameters] = {0.001f, 0.5f, 1e5f, 1, 1, 1};
    const float first[kComponentParameters] = {-0.315117f, 0, 38.2595f, 3, 164.277f, 1};
    const float second[kComponentParameters] = {0, 0, 192.184f, 4, 359.408f, -1};
    std::memcpy(file.stepScale, steps, sizeof steps);
    std::memcpy(file.params.components[0], first, sizeof first);
    std::memcpy(file.params.components[1], second, sizeof second);
    file.params.enabled[0] = file.params.enabled[1] = 1;
    return file;
}

std::string SectionPath(int64_t which) {
    if (which == 0) return ORBALT_DATA_DIR "/test.sct";
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tunnel_bench_" + std::to_string(which) + ".sct")).string();
    std::ofstream(path, std::ios::binary) << EncodeSectionFile(which == 1 ? StarFile() : SearchedFile());
    return path;
}

bool Build(Orbalt2& mesh, TunnelBuilder& builder, uint32_t sections, uint32_t points, const std::string& path) {
    return BuildStandardTunnel(mesh, builder, TunnelParams{sections, points, kSpacing}, path.c_str());
}

void WholeBuild(benchmark::State& state) {
    const auto sections = static_cast<uint32_t>(state.range(0));
    const auto points = static_cast<uint32_t>(state.range(1));
    const std::string path = SectionPath(state.range(2));
    static Orbalt2 mesh;
    static TunnelBuilder builder;
    for (auto _ : state)
        if (!Build(mesh, builder, sections, points, path)) state.SkipWithError("build failed");
}
BENCHMARK(WholeBuild)
    ->Args({256, 64, 0})
    ->Args({256, 64, 1})
    ->Args({256, 64, 2})
    ->Args({1024, 256, 0})
    ->Unit(benchmark::kMillisecond);

// CPU time of this thread: on a shared machine, wall time also counts the
// time other processes took the core.
double ThreadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

void ReportMicros(benchmark::State& state, std::vector<double>& micros) {
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
}

// Advances one section of range(0) points range(1) times from the default
// section file, as the builder's walker does section after section, and times
// (thread CPU time) every advance.
void WalkSection(benchmark::State& state) {
    const auto points = static_cast<uint32_t>(state.range(0));
    const auto count = static_cast<size_t>(state.range(1));
    std::vector<double> micros;
    for (auto _ : state) {
        Section section;
        SectionWalker walker;
        if (!section.Resize(points) || !section.LoadParams(SectionPath(0).c_str(), walker.stepScale)) {
            state.SkipWithError("cannot load the section file");
            return;
        }
        walker.Init(kStandardWalkSeed, 0.2f);
        micros.clear();
        while (micros.size() < count) {
            const double before = ThreadMicros();
            walker.Advance(section);
            micros.push_back(ThreadMicros() - before);
        }
    }
    ReportMicros(state, micros);
}
BENCHMARK(WalkSection)
    ->Args({64, 4000})
    ->Args({256, 2000})
    ->Args({1024, 500})
    ->Args({4096, 200})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Flies forward one segment per frame and times (thread CPU time) every frame
// that generated a section; reports the median and the maximum over 10,000.
void GenerateSection(benchmark::State& state) {
    const auto points = static_cast<uint32_t>(state.range(0));
    const std::string path = SectionPath(state.range(1));
    static Orbalt2 mesh;
    static TunnelBuilder builder;
    std::vector<double> micros;
    for (auto _ : state) {
        if (!Build(mesh, builder, 256, points, path)) state.SkipWithError("build failed");
        micros.clear();
        for (int32_t c = 1; micros.size() < 10000; ++c) {
            const int32_t end = builder.end;
            const double before = ThreadMicros();
            builder.Update(static_cast<float>(c) * kSpacing);
            const double after = ThreadMicros();
            if (builder.end != end) micros.push_back(after - before);
        }
    }
    ReportMicros(state, micros);
}
BENCHMARK(GenerateSection)
    ->Args({64, 0})
    ->Args({64, 1})
    ->Args({64, 2})
    ->Args({256, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A flight at the speed limit as the program's ticks fly it: every tick the
// camera moves one largest step along the tunnel, the builder follows, and
// the camera is held where the tunnel is generated. range(0) sections of
// range(1) points, spacing kReplaySpacings[range(2)], section file range(3),
// course range(4): 0 forward, 1 backward, 2 turning back every 40 ticks;
// range(5) 1 gives the builder the program's time budget per tick, 0 none.
// Times (thread CPU time) the builder's update of every tick and reports the
// median, p99 and worst tick, and the share of the speed limit flown.
constexpr float kReplaySpacings[] = {kSpacing, 0.001f, 0.0001f};
constexpr float kSpeedLimitStep = 0.4f / 30.0f;
constexpr int kReplayTicks = 300;

float CourseStep(int64_t course, int tick) {
    if (course == 1) return -kSpeedLimitStep;
    if (course == 2 && (tick / 40) % 2 == 1) return -kSpeedLimitStep;
    return kSpeedLimitStep;
}

void FlightTicks(benchmark::State& state) {
    const auto sections = static_cast<uint32_t>(state.range(0));
    const auto points = static_cast<uint32_t>(state.range(1));
    const float spacing = kReplaySpacings[state.range(2)];
    const std::string path = SectionPath(state.range(3));
    static Orbalt2 mesh;
    static TunnelBuilder builder;
    std::vector<double> micros;
    double flown = 0.0;
    for (auto _ : state) {
        builder.updateBudget = state.range(5) != 0 ? kFrameGenerationBudget : 0.0;
        if (!BuildStandardTunnel(mesh, builder, TunnelParams{sections, points, spacing}, path.c_str())) {
            state.SkipWithError("build failed");
            return;
        }
        micros.clear();
        flown = 0.0;
        float z = 0.0f;
        for (int tick = 0; tick < kReplayTicks; ++tick) {
            const float wanted = z + CourseStep(state.range(4), tick);
            const double before = ThreadMicros();
            builder.Update(wanted);
            micros.push_back(ThreadMicros() - before);
            const float reached = builder.Reachable(wanted);
            flown += std::fabs(reached - z);
            z = reached;
        }
    }
    ReportMicros(state, micros);
    state.counters["speed_share"] = flown / (double{kSpeedLimitStep} * kReplayTicks);
}

void FlightCases(benchmark::internal::Benchmark* bench) {
    const std::vector<std::vector<int64_t>> cases = {
        {256, 4096, 0, 0, 0},  {256, 4096, 0, 0, 1},  {256, 4096, 0, 0, 2}, {8, 4096, 0, 0, 2},
        {1024, 1024, 1, 0, 0}, {1024, 1024, 1, 0, 2}, {256, 4096, 1, 0, 0}, {256, 4096, 1, 0, 2},
        {8, 4096, 1, 0, 2},    {8, 64, 2, 0, 0},      {256, 1024, 0, 1, 2}, {256, 1024, 0, 2, 2}};
    for (int64_t budgeted : {0, 1})
        for (std::vector<int64_t> args : cases) {
            args.push_back(budgeted);
            bench->Args(args);
        }
}
BENCHMARK(FlightTicks)
    ->ArgNames({"sections", "points", "spacing", "file", "course", "budget"})
    ->Apply(FlightCases)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A new ring as the program makes it, within its build budget per frame:
// range(0) sections of range(1) points from section file range(2). Reports
// the frames the ring took (Init, then one ContinueBuild a frame), the
// longest frame in thread CPU time and the whole build's CPU time. The mesh
// is sized before the first frame, as the program sizes it.
void BuildInFrames(benchmark::State& state) {
    const auto sections = static_cast<uint32_t>(state.range(0));
    const auto points = static_cast<uint32_t>(state.range(1));
    const std::string path = SectionPath(state.range(2));
    static Orbalt2 mesh;
    static TunnelBuilder builder(kFrameGenerationBudget, kFrameBuildBudget);
    std::vector<double> frames;
    for (auto _ : state) {
        if (!SizeStandardMesh(mesh, TunnelParams{sections, points, kSpacing}) ||
            !AttachStandardBuilder(builder, mesh)) {
            state.SkipWithError("cannot size the mesh");
            return;
        }
        frames.clear();
        double before = ThreadMicros();
        if (!builder.Init(kStandardWalkSeed, 0.0f, kSpacing, path.c_str())) state.SkipWithError("build failed");
        frames.push_back(ThreadMicros() - before);
        while (builder.Building()) {
            before = ThreadMicros();
            builder.ContinueBuild();
            frames.push_back(ThreadMicros() - before);
        }
    }
    state.counters["frames"] = static_cast<double>(frames.size());
    state.counters["longest_frame_ms"] = *std::max_element(frames.begin(), frames.end()) / 1000.0;
    double total = 0.0;
    for (double frame : frames) total += frame;
    state.counters["build_ms"] = total / 1000.0;
}
BENCHMARK(BuildInFrames)
    ->ArgNames({"sections", "points", "file"})
    ->Args({256, 64, 0})
    ->Args({256, 64, 2})
    ->Args({1024, 256, 0})
    ->Args({256, 4096, 0})
    ->Args({256, 4096, 2})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The walker's hard limit for one section: 64 attempts of up to 16 varied
// parameters of up to 32 tries each, every try at most one component
// evaluation, one combination and one crossing test. Times that full test on
// the star, which passes it (no early way out) while comparing every pair of
// edges, and reports the limit it gives. With a budget per tick, one try is
// also the most a tick can run past its budget in the walker.
void CandidateBound(benchmark::State& state) {
    const auto points = static_cast<uint32_t>(state.range(0));
    Section section;
    if (!section.Resize(points)) state.SkipWithError("resize failed");
    section.ReplaceParams(StarFile().params);
    const double before = ThreadMicros();
    for (auto _ : state) {
        section.EvaluateComponent(0);
        benchmark::DoNotOptimize(section.Combine() && !section.SelfIntersects());
    }
    const double perTry = (ThreadMicros() - before) / static_cast<double>(state.iterations());
    const double tries = double{SectionWalker::kAttempts} * kComponents * 4 * SectionWalker::kTriesPerParameter;
    state.counters["try_us"] = perTry;
    state.counters["section_limit_ms"] = perTry * tries / 1000.0;
}
BENCHMARK(CandidateBound)->Arg(64)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
