#include "drawbench/path_measure.h"

#include <chrono>
#include <map>
#include <memory>

#include "drawbench/bare_loop.h"
#include "drawbench/statistics.h"
#include "flight/camera_transform.h"
#include "platform/gl_headers.h"
#include "tunnel/orbalt2.h"

namespace {

using Clock = std::chrono::steady_clock;
using FrameDraw = std::function<void(const FlightFrame&)>;

double MillisecondsBetween(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// One frame as the program draws it, from the flight frame's camera.
void DrawFrame(const FrameDraw& draw, const FlightFrame& frame) {
    static const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    LoadCameraTransform(frame.camera);
    glColor4fv(kWhite);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, kWhite);
    draw(frame);
}

// What one round gave: its rate and the time of each frame.
struct Round {
    double fps = 0.0;
    std::vector<double> frameMs;
};

// Draws the flight from its first frame, over and over, until the round's
// time is up. A frame's time runs from the end of the one before it (or the
// round's start) to the return of its own present.
Round DrawRound(const FrameDraw& draw, const BenchScene& scene, const FrameTarget& target, double seconds) {
    Round round;
    const Clock::time_point start = Clock::now();
    Clock::time_point previous = start;
    double elapsedMs = 0.0;
    size_t next = 0;
    do {
        DrawFrame(draw, scene.flight[next]);
        target.present();
        const Clock::time_point now = Clock::now();
        round.frameMs.push_back(MillisecondsBetween(previous, now));
        previous = now;
        elapsedMs = MillisecondsBetween(start, now);
        next = (next + 1) % scene.flight.size();
        if (!target.keepGoing()) break;
    } while (elapsedMs < seconds * 1000.0);
    round.fps = static_cast<double>(round.frameMs.size()) * 1000.0 / elapsedMs;
    return round;
}

void SetMeshTo(Orbalt2& mesh, const DrawingPath& path, const ArrayLock& contextLock) {
    mesh.SetDisplayLists(false);
    mesh.SetArrayLock(path.lock ? contextLock : ArrayLock{});
    mesh.SetMethod(path.method);
    mesh.SetRenderMode(path.mode);
}

// The bare loop of every range the flight draws, made once for the path.
class BareLoops {
public:
    BareLoops(const Orbalt2& mesh, const std::vector<FlightFrame>& flight, uint32_t count) {
        for (const FlightFrame& frame : flight)
            if (loops.count(frame.firstSegment) == 0)
                loops.emplace(frame.firstSegment, std::make_unique<BareLoop>(mesh, frame.firstSegment, count));
    }
    void Draw(const FlightFrame& frame) const { loops.at(frame.firstSegment)->Draw(); }

private:
    std::map<int32_t, std::unique_ptr<BareLoop>> loops;
};

int64_t DifferingPixels(const FrameDraw& drawPath, const FrameDraw& drawBare, const BenchScene& scene,
                        const FrameTarget& target) {
    const FlightFrame& frame = scene.flight.front();
    DrawFrame(drawPath, frame);
    const std::vector<uint8_t> pathPixels = ReadFrame(target.width, target.height);
    target.present();
    DrawFrame(drawBare, frame);
    const std::vector<uint8_t> barePixels = ReadFrame(target.width, target.height);
    target.present();
    return CountDifferingPixels(pathPixels, barePixels);
}

// Rounds of the path and of its bare loop in turn, so that a change in the
// machine's load falls on both rounds of a ratio alike.
void TimeAgainstBareLoop(const FrameDraw& drawPath, const FrameDraw& drawBare, const BenchScene& scene,
                         const FrameTarget& target, const RoundPlan& plan, PathResult& result) {
    for (int i = 0; i < 3; ++i) {  // warm-up: caches, lazily made driver state
        DrawFrame(drawPath, scene.flight[0]), target.present();
        DrawFrame(drawBare, scene.flight[0]), target.present();
    }
    std::vector<double> pathFps, bareFps, ratios, frameMs;
    for (int round = 0; round < plan.rounds && target.keepGoing(); ++round) {
        Round path = DrawRound(drawPath, scene, target, plan.seconds);
        const Round bare = DrawRound(drawBare, scene, target, plan.seconds);
        pathFps.push_back(path.fps);
        bareFps.push_back(bare.fps);
        ratios.push_back(path.fps / bare.fps);
        frameMs.insert(frameMs.end(), path.frameMs.begin(), path.frameMs.end());
    }
    result.fps = Median(pathFps);
    result.bareFps = Median(bareFps);
    result.ratio = SummariseRatios(ratios);
    result.frameTimes = SummariseFrameTimes(frameMs);
}

}  // namespace

std::vector<uint8_t> ReadFrame(int32_t width, int32_t height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

PathResult MeasurePath(const DrawingPath& path, const BenchScene& scene, const FrameTarget& target,
                       const RoundPlan& plan) {
    PathResult result;
    result.path = path;
    if (scene.flight.empty()) return result;  // nothing to draw: no figures
    if (path.lock && !scene.contextLock.lock) {
        result.supported = false;
        return result;
    }
    SetMeshTo(scene.mesh, path, scene.contextLock);
    if (path.lists) {
        const Clock::time_point start = Clock::now();
        scene.mesh.SetDisplayLists(true);
        glFinish();
        result.compileMs = MillisecondsBetween(start, Clock::now());
    }
    const BareLoops bare(scene.mesh, scene.flight, scene.count);
    const FrameDraw drawPath = [&](const FlightFrame& frame) { scene.mesh.Draw(frame.firstSegment, scene.count); };
    const FrameDraw drawBare = [&](const FlightFrame& frame) { bare.Draw(frame); };
    result.differingPixels = DifferingPixels(drawPath, drawBare, scene, target);
    TimeAgainstBareLoop(drawPath, drawBare, scene, target, plan, result);
    scene.mesh.SetDisplayLists(false);
    return result;
}
