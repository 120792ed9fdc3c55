#include "drawbench/bench_program.h"

#include <cstdio>
#include <string>
#include <vector>

#include "display/context_resources.h"
#include "display/texture.h"
#include "drawbench/bench_flight.h"
#include "drawbench/bench_objects.h"
#include "drawbench/bench_options.h"
#include "drawbench/path_measure.h"
#include "drawbench/statistics.h"
#include "drawbench/workload.h"
#include "flight/render_state.h"
#include "platform/command_words.h"
#include "platform/files.h"
#include "platform/gl_context.h"
#include "platform/gl_headers.h"
#include "platform/input.h"
#include "platform/program_directory.h"
#include "platform/system_info.h"
#include "tunnel/orbalt2.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"

using namespace platform;

namespace {

constexpr const char* kName = "orbalt-bench";
constexpr const char* kSectionFileName = "test.sct";
constexpr const char* kTextureFileName = "texture.bmp";
constexpr const char* kIconName = "Orbalt_Icon";
constexpr uintptr_t kEscape = 0x1B;

// Everything one run draws with, in the window's context.
struct BenchRun {
    ContextResources context;
    Orbalt2 mesh;
    TunnelBuilder builder;
    Camera camera;
    std::vector<FlightFrame> flight;
    std::string sectionFile;  // the section file's bytes, for the workload's hash
    int swapInterval = -1;
};

int Failure(const std::string& reason) {
    benchConsole.Printf("%s: %s\n", kName, reason.c_str());
    return bench_exit::Failed;
}

// The results file, opened before the run so that a name that cannot be
// written is told at once rather than after it.
std::FILE* OpenResults(const std::string& path, std::string& reason) {
    OpenFailure failure;
    std::FILE* file = OpenFile(path.c_str(), "wb", &failure);
    if (!file) reason = "cannot write " + path + ": " + SystemErrorText(failure.error);
    return file;
}

bool WriteResults(std::FILE* file, const std::string& path, const std::string& text, std::string& reason) {
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fflush(file) != 0 || !written) {
        reason = "cannot write " + path + ": the figures did not all reach the disk";
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = OpenFile(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
    std::fclose(file);
    return true;
}

// A windowed window of the client size asked for, with a current context.
// The size measured is the client area the window got, which a desktop
// smaller than the request cuts down. On failure the reason names the failed
// operation and, where Windows gave one, its error and text.
bool OpenWindow(const BenchOptions& options, std::string& reason) {
    if (benchWindow.Init(BenchWindowProc, kName, kIconName, nullptr) &&
        benchWindow.Windowed(options.width, options.height) && benchWindow.hglrc) {
        const Rect client = ClientRect(benchWindow.hwnd);
        benchWindow.width = client.right - client.left;
        benchWindow.height = client.bottom - client.top;
        return true;
    }
    const SystemError error = LastSystemError();
    reason = std::string("no GL window: ") + GLwindow::status.Message();
    if (error.code != 0) reason += " (" + SystemErrorText(error) + ")";
    return false;
}

// Frames go out as fast as the driver takes them, where it lets the program
// say so; what it read back goes in the results.
int AskForNoVerticalSync(const GLExtensions& extensions) {
    if (!extensions.swapInterval) return -1;
    extensions.swapInterval(0);
    return extensions.getSwapInterval ? extensions.getSwapInterval() : -1;
}

// The program's render state, its texture, the standard tunnel from the
// section file, and the flight.
bool PrepareScene(BenchRun& run, const std::string& folder, const std::string& sectionPath, std::string& reason) {
    InitRenderState(RenderStateOptions{}, benchWindow, run.camera);
    run.context.Acquire();
    run.swapInterval = AskForNoVerticalSync(run.context.extensions);
    const uint32_t texture = InitTexture((folder + kTextureFileName).c_str(), benchConsole);
    if (texture) glBindTexture(GL_TEXTURE_2D, texture);
    if (!ReadWholeFile(sectionPath, run.sectionFile) ||
        !BuildBenchTunnel(run.mesh, run.builder, sectionPath.c_str())) {
        reason = "the tunnel could not be built from " + sectionPath;
        return false;
    }
    run.flight = FlyBenchFlight(FlightPlan{}, run.mesh, run.builder, run.camera);
    if (run.flight.empty()) reason = "the benchmark's flight left the tunnel";
    return !run.flight.empty();
}

std::string WorkloadHashOf(const BenchRun& run) {
    const TunnelParams params;
    const FlightPlan plan;
    return WorkloadHash(Workload{run.sectionFile, kStandardWalkSeed, params.sections, params.sectionPoints,
                                 params.spacing, plan.speed, plan.timeStep, plan.frames});
}

std::string GLString(uint32_t name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return text ? text : "";
}

RunHeader MakeHeader(const BenchRun& run, const BenchOptions& options) {
    RunHeader header;
    header.glVendor = GLString(GL_VENDOR);
    header.glRenderer = GLString(GL_RENDERER);
    header.glVersion = GLString(GL_VERSION);
    if (run.context.extensions.compiledArrays) header.extensionsUsed.emplace_back("GL_EXT_compiled_vertex_array");
    if (run.context.extensions.swapControl) header.extensionsUsed.emplace_back("WGL_EXT_swap_control");
    header.width = benchWindow.width;
    header.height = benchWindow.height;
    header.swapInterval = run.swapInterval;
    header.refreshHz = DesktopMode().frequency;
    header.windowsVersion = WindowsVersion();
    header.wineVersion = WineVersion();
    header.orbaltVersion = ORBALT_VERSION_TEXT;
    header.workloadHash = WorkloadHashOf(run);
    header.secondsPerRound = options.seconds;
    header.rounds = options.rounds;
    return header;
}

// Answers the window's messages between frames; false once the user ended the run.
bool KeepGoing() {
    Message message;
    while (NextMessage(message)) {
        if (message.id == msg::Quit) benchStopped = true;
        Dispatch(message);
    }
    return !benchStopped;
}

void PrintLines(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        benchConsole.Printf("%s\n", line.c_str());
        start = end == std::string::npos ? text.size() : end + 1;
    }
}

void PrintProgress(size_t done, size_t total, const PathResult& result) {
    const std::string name = PathName(result.path);
    if (!result.supported) {
        benchConsole.Printf("[%2d/%d] %-33s unsupported: no GL_EXT_compiled_vertex_array\n",
                            static_cast<int>(done), static_cast<int>(total), name.c_str());
        return;
    }
    // Counts as int: Windows' printf knows no %zu; a frame's pixels fit.
    benchConsole.Printf("[%2d/%d] %-33s %8.1f fps  ratio %5.2f (%4.2f - %4.2f)  p99 %6.2f ms  %d px differ%s\n",
                        static_cast<int>(done), static_cast<int>(total), name.c_str(), result.fps,
                        result.ratio.median, result.ratio.min, result.ratio.max, result.frameTimes.p99,
                        static_cast<int>(result.differingPixels),
                        result.capped ? "  CAPPED by the display's refresh" : "");
}

std::vector<PathResult> MeasurePaths(BenchRun& run, const BenchOptions& options, double refreshHz) {
    const std::vector<DrawingPath> paths = SelectPaths(options.paths);
    const BenchScene scene{run.mesh, run.builder.lookahead, run.flight, run.context.extensions.arrayLock};
    const FrameTarget target{benchWindow.width, benchWindow.height, [] { SwapBuffers(benchWindow.hdc); },
                             KeepGoing};
    std::vector<PathResult> results;
    for (const DrawingPath& path : paths) {
        PathResult result = MeasurePath(path, scene, target, RoundPlan{options.seconds, options.rounds});
        if (benchStopped) break;
        result.capped = result.supported && CappedByRefresh(result.fps, refreshHz);
        results.push_back(result);
        PrintProgress(results.size(), paths.size(), result);
    }
    return results;
}

void CloseWindow(BenchRun& run) {
    if (benchWindow.hglrc && MakeCurrent(benchWindow.hdc, benchWindow.hglrc)) {
        run.mesh.Release();
        run.context.Release();
    }
    benchWindow.Close();
    Message message;
    while (NextMessage(message)) Dispatch(message);
}

// Writes what was measured, all of it or up to a stop.
int Report(const BenchOptions& options, const RunHeader& header, const std::vector<PathResult>& results,
           std::FILE* resultsFile) {
    PrintLines(FormatConsoleTable(results));
    std::string reason;
    if (resultsFile) {
        const std::string text = FormatResults(FormatForFileName(options.results), header, results);
        if (!WriteResults(resultsFile, options.results, text, reason)) return Failure(reason);
        benchConsole.Printf("results: %s\n", options.results.c_str());
    }
    if (!benchStopped) return bench_exit::Done;
    benchConsole.Printf("%s: stopped before the end, after %d paths\n", kName, static_cast<int>(results.size()));
    return bench_exit::Stopped;
}

int Measure(const BenchOptions& options, BenchRun& run, std::FILE* resultsFile) {
    std::string folder, reason;
    if (!ProgramDirectory(folder)) return Failure("the program's folder name is too long");
    const std::string sectionPath = options.sectionFile.empty() ? folder + kSectionFileName : options.sectionFile;
    if (!OpenWindow(options, reason) || !PrepareScene(run, folder, sectionPath, reason)) return Failure(reason);
    const RunHeader header = MakeHeader(run, options);
    benchConsole.Printf("%s, %s, %d x %d, swap interval %d, workload %s\n", header.glRenderer.c_str(),
                        header.glVersion.c_str(), header.width, header.height, header.swapInterval,
                        header.workloadHash.c_str());
    return Report(options, header, MeasurePaths(run, options, header.refreshHz), resultsFile);
}

int RunFromArguments(const char* commandLineText) {
    BenchOptions options;
    std::string reason;
    if (!ParseBenchArguments(SplitCommandWords(commandLineText), options, reason)) {
        benchConsole.Printf("%s: %s\n\n", kName, reason.c_str());
        PrintLines(kBenchUsage);
        return bench_exit::BadArgument;
    }
    if (options.help) {
        PrintLines(kBenchUsage);
        return bench_exit::Done;
    }
    std::FILE* resultsFile = nullptr;
    if (!options.results.empty() && !(resultsFile = OpenResults(options.results, reason))) return Failure(reason);
    BenchRun run;
    const int code = Measure(options, run, resultsFile);
    CloseWindow(run);
    if (resultsFile) std::fclose(resultsFile);
    return code;
}

}  // namespace

int RunBench(const char* commandLineText) {
    const int code = RunFromArguments(commandLineText);
    // Started from Explorer, the console window would close with the table.
    HoldConsoleOpen("Press Enter to close this window.\n");
    return code;
}

intptr_t BenchWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case msg::Create: benchWindow.OnCREATE(window, wParam, lParam); return 0;
        case msg::Destroy: benchWindow.OnDESTROY(window, wParam, lParam); return 0;
        case msg::Size: benchWindow.OnSIZE(window, wParam, lParam); return 0;
        case msg::Char:
            if (wParam == kEscape) benchStopped = true;
            return 0;
        case msg::Close: benchStopped = true; return 0;
        case msg::EraseBackground: return 0;
        case msg::Paint: ValidateWindow(window); return 0;
        default: return DefaultWindowProc(window, message, wParam, lParam);
    }
}
