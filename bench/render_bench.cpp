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
// followed by a round of its bare loop (bare_loop.h); a round's ratio is the
// path's frames per second over those of the bare round after it. The table
// gives medians and the range of the ratios: other work on a shared machine
// slows single rounds down, and a ratio of neighbouring rounds travels
// between machines better than frames per second. Before timing, one frame of
// the path and one of its bare loop are compared pixel for pixel, to show
// that both draw the same picture.
#include <GL/osmesa.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <vector>

#include "bare_loop.h"
#include "display/extensions.h"
#include "display/glwindow.h"
#include "display/texture.h"
#include "flight/camera_transform.h"
#include "flight/render_state.h"
#include "tunnel/init_orbalt.h"
#include "tunnel/orbalt2.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
const char* const kModeNames[] = {"points", "sections", "wireframe", "solid flat", "solid smooth"};

struct Path {
    RenderMode mode;
    RenderMethod method;
    bool lock;
    bool lists;
};

// The program's starting camera, as the render state sets it.
Camera camera;
// The offscreen colour buffer, RGBA.
std::vector<uint8_t> frame(size_t{kWidth} * kHeight * 4);

struct Result {
    Path path;
    double fps;                 // median of the path's rounds
    double bareFps;             // median of the bare loop's rounds
    std::vector<double> ratio;  // one a round, sorted
    double compileMs;           // compiling all 256 lists, 0 without lists
    int differingPixels;        // between a frame of the path and one of the bare loop
};

using Clock = std::chrono::steady_clock;
using DrawCall = std::function<void()>;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

bool BuildShippedTunnel(Orbalt2& mesh, TunnelBuilder& builder) {
    if (!BuildStandardTunnel(mesh, builder, TunnelParams{}, ORBALT_DATA_DIR "/test.sct")) return false;
    ColorFromNormals(mesh);
    return true;
}

// One frame as the program draws it looking along +z from segment 0, with
// `draw` drawing the tunnel.
void RenderOneFrame(const DrawCall& draw) {
    static const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadCameraTransform(camera);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kWhite);
    draw();
    glFinish();
}

double FramesPerSecond(const DrawCall& draw, double seconds) {
    int frames = 0;
    const Clock::time_point start = Clock::now();
    double elapsedMs = 0.0;
    do {
        RenderOneFrame(draw);
        ++frames;
        elapsedMs = MillisecondsSince(start);
    } while (elapsedMs < seconds * 1000.0);
    return frames * 1000.0 / elapsedMs;
}

int DifferingPixels(const DrawCall& a, const DrawCall& b) {
    RenderOneFrame(a);
    const std::vector<uint8_t> first = frame;
    RenderOneFrame(b);
    int differing = 0;
    for (size_t i = 0; i < frame.size(); i += 4)
        if (!std::equal(&frame[i], &frame[i] + 4, &first[i])) ++differing;
    return differing;
}

// Rounds of the path and of its bare loop in turn, so that a change in the
// machine's load falls on both rounds of a ratio alike.
void TimeAgainstBareLoop(const DrawCall& drawPath, const DrawCall& drawBare, double seconds, int rounds,
                         Result& result) {
    for (int i = 0; i < 3; ++i) RenderOneFrame(drawPath), RenderOneFrame(drawBare);  // warm-up
    std::vector<double> pathFps, bareFps;
    for (int round = 0; round < rounds; ++round) {
        pathFps.push_back(FramesPerSecond(drawPath, seconds));
        bareFps.push_back(FramesPerSecond(drawBare, seconds));
        result.ratio.push_back(pathFps.back() / bareFps.back());
    }
    std::sort(result.ratio.begin(), result.ratio.end());
    result.fps = Median(pathFps);
    result.bareFps = Median(bareFps);
}

Result Measure(Orbalt2& mesh, const TunnelBuilder& builder, const Path& path, double seconds, int rounds,
               const ArrayLock& contextLock) {
    mesh.SetArrayLock(path.lock ? contextLock : ArrayLock{});
    mesh.SetDisplayLists(false);
    mesh.SetMethod(path.method);
    mesh.SetRenderMode(path.mode);
    Result result{path, 0.0, 0.0, {}, 0.0, 0};
    if (path.lists) {
        const Clock::time_point start = Clock::now();
        mesh.SetDisplayLists(true);
        glFinish();
        result.compileMs = MillisecondsSince(start);
    }
    // The range the program draws: two segments behind the camera to
    // lookahead - 3 ahead.
    const int32_t first = builder.current - 2;
    const BareLoop bare(mesh, first, builder.lookahead);
    const DrawCall drawPath = [&] { mesh.Draw(first, builder.lookahead); };
    const DrawCall drawBare = [&] { bare.Draw(); };
    result.differingPixels = DifferingPixels(drawPath, drawBare);
    TimeAgainstBareLoop(drawPath, drawBare, seconds, rounds, result);
    mesh.SetDisplayLists(false);
    return result;
}

std::vector<Path> AllPaths() {
    std::vector<Path> paths;
    for (int32_t number = 0; number < kRenderModeCount; ++number)
        for (bool lists : {false, true}) {
            const auto mode = static_cast<RenderMode>(number);
            paths.push_back({mode, RenderMethod::DirectVertices, false, lists});
            paths.push_back({mode, RenderMethod::VertexArrays, false, lists});
            paths.push_back({mode, RenderMethod::VertexArrays, true, lists});
        }
    return paths;
}

const char* MethodName(const Path& path) {
    if (path.method == RenderMethod::DirectVertices) return "direct";
    return path.lock ? "arrays+lock" : "arrays";
}

void PrintTable(const std::vector<Result>& results) {
    std::printf("%-13s %-12s %-6s %8s %8s %6s %15s %11s %9s\n", "mode", "method", "lists", "fps", "bare fps",
                "ratio", "(range)", "compile ms", "diff px");
    for (const Result& r : results)
        std::printf("%-13s %-12s %-6s %8.1f %8.1f %6.2f  (%5.2f - %5.2f) %11.2f %9d\n",
                    kModeNames[static_cast<int>(r.path.mode)], MethodName(r.path), r.path.lists ? "on" : "off",
                    r.fps, r.bareFps, Median(r.ratio), r.ratio.front(), r.ratio.back(), r.compileMs,
                    r.differingPixels);
}

void PrintCsv(const std::vector<Result>& results) {
    std::printf("mode,method,lock,lists,fps,bare_fps,ratio,ratio_min,ratio_max,compile_ms,differing_pixels\n");
    for (const Result& r : results)
        std::printf("%s,%s,%s,%s,%.1f,%.1f,%.3f,%.3f,%.3f,%.2f,%d\n", kModeNames[static_cast<int>(r.path.mode)],
                    r.path.method == RenderMethod::DirectVertices ? "direct" : "arrays",
                    r.path.lock ? "on" : "off", r.path.lists ? "on" : "off", r.fps, r.bareFps, Median(r.ratio),
                    r.ratio.front(), r.ratio.back(), r.compileMs, r.differingPixels);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 0.25;
    int rounds = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc && std::atof(argv[i + 1]) > 0.0) {
            seconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
            rounds = std::atoi(argv[++i]);
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
    // The program's state: fog, light, depth test, culling.
    InitRenderState(RenderStateOptions{}, window, camera);
    const GLuint texture = InitTexture(ORBALT_DATA_DIR "/texture.bmp", console);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Mesa answers every name, so the extension string decides.
    ArrayLock contextLock;
    if (GLwindow::HasExtension("GL_EXT_compiled_vertex_array")) {
        contextLock.lock = reinterpret_cast<LockArraysProc>(OSMesaGetProcAddress("glLockArraysEXT"));
        contextLock.unlock = reinterpret_cast<UnlockArraysProc>(OSMesaGetProcAddress("glUnlockArraysEXT"));
    }

    static Orbalt2 mesh;
    static TunnelBuilder builder;
    if (!BuildShippedTunnel(mesh, builder)) {
        std::fprintf(stderr, "render_bench: the tunnel could not be built\n");
        return 1;
    }
    // The default drawing attributes: normals and texture coordinates.
    const DrawingOptions drawing;
    mesh.SetNormals(drawing.normals);
    mesh.SetColors(drawing.colors);
    mesh.SetTexCoords(drawing.texcoords);

    std::vector<Result> results;
    for (const Path& path : AllPaths())
        results.push_back(Measure(mesh, builder, path, seconds, rounds, contextLock));
    PrintTable(results);
    std::printf("\n");
    PrintCsv(results);

    mesh.Release();
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context);
    return 0;
}
