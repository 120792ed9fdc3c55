// Frames per second of every drawing path of the tunnel mesh: the default
// tunnel (256 sections of 64 points from test.sct, seed 8) rendered offscreen
// at 640 x 480 in the program's render state, for each render mode, method,
// with and without display lists, and for vertex arrays with and without the
// compiled-array lock. Prints one table and the same figures as CSV.
//
//   render_bench [--seconds S]
//
// Each path is timed in three rounds of S seconds (default 0.5); the table
// gives the median and the range, since other work on a shared machine
// slows single rounds down.
#include <GL/osmesa.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "display/glwindow.h"
#include "display/texture.h"
#include "flight/camera_transform.h"
#include "display/extensions.h"
#include "tunnel/standard_tunnel.h"
#include "flight/render_state.h"
#include "tunnel/init_orbalt.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr float kSpacing = 0.03125f;
const char* const kModeNames[] = {"points", "sections", "wireframe", "solid flat", "solid smooth"};

struct Path {
    RenderMode mode;
    RenderMethod method;
    bool lock;
    bool lists;
};

constexpr int kRounds = 3;

// The program's starting camera, as the render state sets it.
Camera camera;

struct Result {
    Path path;
    double fps[kRounds];  // sorted
    double compileMs;     // compiling all 256 lists, 0 without lists
};

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool BuildTunnel(Orbalt2& mesh, TunnelBuilder& builder) {
    if (!BuildStandardTunnel(mesh, builder, TunnelParams{}, ORBALT_DATA_DIR "/test.sct")) return false;
    ColourFromNormals(mesh);
    return true;
}

// One frame as the program draws it looking along +z from segment 0: two
// segments behind the camera to lookahead - 3 ahead.
void RenderOneFrame(Orbalt2& mesh, const TunnelBuilder& builder) {
    static const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadCameraTransform(camera);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kWhite);
    mesh.Draw(builder.current - 2, builder.lookahead);
    glFinish();
}

double FramesPerSecond(Orbalt2& mesh, const TunnelBuilder& builder, double seconds) {
    int frames = 0;
    const Clock::time_point start = Clock::now();
    double elapsedMs = 0.0;
    do {
        RenderOneFrame(mesh, builder);
        ++frames;
        elapsedMs = MillisecondsSince(start);
    } while (elapsedMs < seconds * 1000.0);
    return frames * 1000.0 / elapsedMs;
}

Result Measure(Orbalt2& mesh, const TunnelBuilder& builder, const Path& path, double seconds,
               extensions::LockArraysProc lock, extensions::UnlockArraysProc unlock) {
    extensions::glLockArraysEXT = path.lock ? lock : nullptr;
    extensions::glUnlockArraysEXT = path.lock ? unlock : nullptr;
    mesh.SetDisplayLists(false);
    mesh.SetMethod(path.method);
    mesh.SetRenderMode(path.mode);
    Result result{path, {}, 0.0};
    if (path.lists) {
        const Clock::time_point start = Clock::now();
        mesh.SetDisplayLists(true);
        glFinish();
        result.compileMs = MillisecondsSince(start);
    }
    for (int i = 0; i < 3; ++i) RenderOneFrame(mesh, builder);  // warm-up
    for (double& fps : result.fps) fps = FramesPerSecond(mesh, builder, seconds);
    std::sort(std::begin(result.fps), std::end(result.fps));
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
    std::printf("%-13s %-12s %-6s %8s %17s %11s\n", "mode", "method", "lists", "fps", "(range)", "compile ms");
    for (const Result& r : results)
        std::printf("%-13s %-12s %-6s %8.1f  (%6.1f - %6.1f) %11.2f\n", kModeNames[static_cast<int>(r.path.mode)], MethodName(r.path),
                    r.path.lists ? "on" : "off", r.fps[kRounds / 2], r.fps[0], r.fps[kRounds - 1], r.compileMs);
}

void PrintCsv(const std::vector<Result>& results) {
    std::printf("mode,method,lock,lists,fps,fps_min,fps_max,compile_ms\n");
    for (const Result& r : results)
        std::printf("%s,%s,%s,%s,%.1f,%.1f,%.1f,%.2f\n", kModeNames[static_cast<int>(r.path.mode)],
                    r.path.method == RenderMethod::DirectVertices ? "direct" : "arrays", r.path.lock ? "on" : "off", r.path.lists ? "on" : "off",
                    r.fps[kRounds / 2], r.fps[0], r.fps[kRounds - 1], r.compileMs);
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 0.5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc && std::atof(argv[i + 1]) > 0.0) {
            seconds = std::atof(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: render_bench [--seconds S]\n");
            return 2;
        }
    }
    std::vector<uint8_t> buffer(size_t{kWidth} * kHeight * 4);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (!context || !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, kWidth, kHeight)) {
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
    InitRenderState(RenderStateOptions{}, window, camera, console);
    const GLuint texture = InitTexture(ORBALT_DATA_DIR "/texture.bmp", console);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Mesa answers every name, so the extension string decides.
    extensions::LockArraysProc lock = nullptr;
    extensions::UnlockArraysProc unlock = nullptr;
    if (GLwindow::HasExtension("GL_EXT_compiled_vertex_array")) {
        lock = reinterpret_cast<extensions::LockArraysProc>(OSMesaGetProcAddress("glLockArraysEXT"));
        unlock = reinterpret_cast<extensions::UnlockArraysProc>(OSMesaGetProcAddress("glUnlockArraysEXT"));
    }

    static Orbalt2 mesh;
    static TunnelBuilder builder;
    if (!BuildTunnel(mesh, builder)) {
        std::fprintf(stderr, "render_bench: the tunnel could not be built\n");
        return 1;
    }
    // The default drawing attributes: normals and texture coordinates.
    const DrawingOptions drawing;
    mesh.SetNormals(drawing.normals);
    mesh.SetColors(drawing.colors);
    mesh.SetTexCoords(drawing.texcoords);

    std::vector<Result> results;
    for (const Path& path : AllPaths()) results.push_back(Measure(mesh, builder, path, seconds, lock, unlock));
    PrintTable(results);
    std::printf("\n");
    PrintCsv(results);

    mesh.Release();
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(context);
    return 0;
}
