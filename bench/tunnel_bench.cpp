// Tunnel generation costs: the whole build as the program does it at start-up,
// the walker's cost of one section at every profile size, and the cost of
// generating one section while flying (walker advance, face and vertex
// normals, boxes), whose maximum decides whether a frame hitches.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "tunnel/orbalt2.h"
#include "tunnel/section.h"
#include "tunnel/section_walker.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"

namespace {

const char kSectionPath[] = ORBALT_DATA_DIR "/test.sct";
constexpr float kSpacing = 0.03125f;

bool Build(Orbalt2& mesh, TunnelBuilder& builder, uint32_t sections, uint32_t points) {
    return BuildStandardTunnel(mesh, builder, TunnelParams{sections, points, kSpacing}, kSectionPath);
}

void WholeBuild(benchmark::State& state) {
    const auto sections = static_cast<uint32_t>(state.range(0));
    const auto points = static_cast<uint32_t>(state.range(1));
    static Orbalt2 mesh;
    static TunnelBuilder builder;
    for (auto _ : state)
        if (!Build(mesh, builder, sections, points)) state.SkipWithError("build failed");
}
BENCHMARK(WholeBuild)->Args({256, 64})->Args({1024, 256})->Unit(benchmark::kMillisecond);

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
        if (!section.Resize(points) || !section.LoadParams(kSectionPath, walker.stepScale)) {
            state.SkipWithError("cannot load the section file");
            return;
        }
        walker.Init(8, 0.2f);
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
    static Orbalt2 mesh;
    static TunnelBuilder builder;
    std::vector<double> micros;
    for (auto _ : state) {
        if (!Build(mesh, builder, 256, points)) state.SkipWithError("build failed");
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
BENCHMARK(GenerateSection)->Arg(64)->Arg(256)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
