// Frames per second of every drawing path of the tunnel mesh, and each
// path's ratio to a bare loop of the same primitives: the default tunnel (256
// sections of 64 points from test.sct, seed 8) rendered offscreen at 640 x
// 480 in the program's render state, for each render mode, method, with and
// without display lists, and for vertex arrays with and without the
// compiled-array lock. Prints one table and the same figures as CSV.
//
//   render_bench [--seconds S] [--rounds N]
//
// Each path is timed in N rounds (default 5) of S seconds (default 0.25), each
// followed by a round of its bare loop (drawbench/bare_loop.h); a round's ratio is the
// path's frames per second over those of the bare round after it. The table
// gives medians and the range of the ratios: other work on a shared machine
// slows single rounds down, and a ratio of neighbouring rounds travels
// between machines better than frames per second. Before timing, one frame of
// the path and one of its bare loop are compared pixel for pixel, to show
// that both draw the same picture. The measuring is orbalt-bench's own
// (drawbench/path_measure.h), with one still frame for a flight.
#include <GL/osmesa.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/extensions.h"
#include "display/glwindow.h"
#include "display/texture.h"
#include "drawbench/bench_flight.h"
#include "drawbench/drawing_path.h"
#include "drawbench/path_measure.h"
#include "flight/render_state.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

// The offscreen colour buffer, RGBA.
std::vector<uint8_t> frame(size_t{kWidth} * kHeight * 4);

void PrintTable(const std::vector<PathResult>& results) {
    std::printf("%-13s %-12s %-6s %8s %8s %6s %15s %11s %9s\n", "mode", "method", "lists", "fps", "bare fps",
                "ratio", "(range)", "compile ms", "diff px");
    for (const PathResult& r : results)
        std::printf("%-13s %-12s %-6s %8.1f %8.1f %6.2f  (%5.2f - %5.2f) %11.2f %9lld\n", ModeName(r.path.mode),
                    MethodName(r.path), r.path.lists ? "on" : "off", r.fps, r.bareFps, r.ratio.median, r.ratio.min,
                    r.ratio.max, r.compileMs, static_cast<long long>(r.differingPixels));
}

void PrintCsv(const std::vector<PathResult>& results) {
    std::printf("mode,method,lock,lists,fps,bare_fps,ratio,ratio_min,ratio_max,compile_ms,differing_pixels\n");
    for (const PathResult& r : results)
        std::printf("%s,%s,%s,%s,%.1f,%.1f,%.3f,%.3f,%.3f,%.2f,%lld\n", ModeName(r.path.mode),
                    r.path.method == RenderMethod::DirectVertices ? "direct" : "arrays",
                    r.path.lock ? "on" : "off", r.path.lists ? "on" : "off", r.fps, r.bareFps, r.ratio.median,
                    r.ratio.min, r.ratio.max, r.compileMs, static_cast<long long>(r.differingPixels));
}

// The context's compiled-array lock; Mesa answers every name, so the
// extension string decides.
ArrayLock ContextLock() {
    ArrayLock lock;
    if (!GLwindow::HasExtension("GL_EXT_compiled_vertex_array")) return lock;
    lock.lock = reinterpret_cast<LockArraysProc>(OSMesaGetProcAddress("glLockArraysEXT"));
    lock.unlock = reinterpret_cast<UnlockArraysProc>(OSMesaGetProcAddress("glUnlockArraysEXT"));
    return lock;
}

}  // namespace

int main(int argc, char** argv) {
    RoundPlan plan{0.25, 5};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc && std::atof(argv[i + 1]) > 0.0) {
            plan.seconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
            plan.rounds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: render_bench [--seconds S] [--rounds N]\n");
            return 2;
        }
    }
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (!context || !OSMesaMakeCurrent(context, frame.data(), GL_UNSIGNED_BYTE, kWidth, kHeight)) {
        std::fprintf(stderr, "render_bench: no offscreen GL context\n");
        return 1;
    }
    std::printf("%s, %s, %d x %d\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)), kWidth, kHeight);

    GLwindow window;
    window.width = kWidth;
    window.height = kHeight;
    Console console;
    // The program's state and starting camera: fog, light, depth test, culling.
    Camera camera;
    InitRenderState(RenderStateOptions{}, window, camera);
    const GLuint texture = InitTexture(ORBALT_DATA_DIR "/texture.bmp", console);
    glBindTexture(GL_TEXTURE_2D, texture);

    static Orbalt2 mesh;
    static TunnelBuilder builder;
    if (!BuildBenchTunnel(mesh, builder, ORBALT_DATA_DIR "/test.sct")) {
        std::fprintf(stderr, "render_bench: the tunnel could not be built\n");
        return 1;
    }
    // One still frame looking along +z from the start, over the range the
    // program draws there: two segments behind the camera to lookahead - 3 ahead.
    const std::vector<FlightFrame> still{FlightFrame{camera, builder.current - 2}};
    const BenchScene scene{mesh, builder.lookahead, still, ContextLock()};
    const FrameTarget target{kWidth, kHeight, [] { glFinish(); }};
    std::vector<PathResult> results;
    for (const DrawingPath& path : AllDrawingPaths()) results.push_back(MeasurePath(path, scene, target, plan));
    PrintTable(results);
    std::printf("\n");
    PrintCsv(results);

    mesh.Release();
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context);
    return 0;
}
