#pragma once
// The benchmark's flight: the cruise pilot flown a fixed number of frames at
// a fixed time step through a tunnel just built, recorded as each frame's
// camera and drawn range. Every machine flies the same frames, and a round
// of any drawing path replays them from the first, so the rounds of a path
// and of its bare loop draw the same pictures.
#include <cstdint>
#include <vector>

#include "flight/camera.h"
#include "flight/cruise_pilot.h"

class Orbalt2;
class TunnelBuilder;

struct FlightPlan {
    float speed = CruiseOptions{}.speed;  // world units per second
    double timeStep = 1.0 / 60.0;         // seconds flown a frame, whatever the frame really took
    uint32_t frames = 300;
};

// The tunnel every benchmark draws: the standard tunnel from the section
// file, coloured from its normals as the whole-tunnel build gives it, with the
// program's default drawing attributes (normals and texture coordinates).
// False when the file does not build.
bool BuildBenchTunnel(Orbalt2& mesh, TunnelBuilder& builder, const char* sectionPath);

// One frame of the flight: where the camera is and the segments drawn, as
// the program's frame draws them from there.
struct FlightFrame {
    Camera camera;
    int32_t firstSegment = 0;
};

// Flies the plan from the start of the built tunnel, the builder moving the
// ring on as in flight. The flight is short enough that the ring afterwards
// still holds, unchanged, every section any of its frames draws, which is
// checked: empty when the tunnel is not ready or a frame's range has left
// the ring. `camera` brings the projection (aspect, field of view); the
// pilot places it.
std::vector<FlightFrame> FlyBenchFlight(const FlightPlan& plan, Orbalt2& mesh, TunnelBuilder& builder,
                                        Camera camera);
