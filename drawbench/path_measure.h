#pragma once
// Measures one drawing path of the tunnel mesh against its bare loop: the
// flight drawn in rounds of the path alternating with rounds of the bare
// loop (bare_loop.h) over the same frames, and one frame of each read back
// and compared pixel for pixel. Shared by the native offscreen tool and the
// Windows benchmark, which differ only in where the frames go.
#include <cstdint>
#include <functional>
#include <vector>

#include "display/extensions.h"
#include "drawbench/bench_flight.h"
#include "drawbench/drawing_path.h"
#include "drawbench/results.h"

class Orbalt2;

// Where the frames go.
struct FrameTarget {
    int32_t width = 0, height = 0;
    // Ends a frame: the buffer swap on a window, glFinish offscreen.
    std::function<void()> present;
    // Called between frames, e.g. to answer the window's messages; false
    // cuts the measurement short.
    std::function<bool()> keepGoing = [] { return true; };
};

// The mesh drawn, what of it each frame draws and the context's array lock.
struct BenchScene {
    Orbalt2& mesh;
    uint32_t count;  // segments drawn a frame, from each frame's first
    const std::vector<FlightFrame>& flight;
    ArrayLock contextLock;  // empty where the driver has no compiled-array extension
};

struct RoundPlan {
    double seconds = 0.25;  // each round of the path, and each of the bare loop
    int rounds = 3;
};

// Sets the mesh to the path, measures it and sets display lists off again.
// A lock path without the context's lock is returned unsupported, unmeasured.
// The capped flag is left to the caller, who knows the display.
PathResult MeasurePath(const DrawingPath& path, const BenchScene& scene, const FrameTarget& target,
                       const RoundPlan& plan);

// The frame just drawn, RGBA rows bottom up, read before it is presented.
std::vector<uint8_t> ReadFrame(int32_t width, int32_t height);
