#include "drawbench/bench_flight.h"

#include <cmath>

#include "flight/collision.h"
#include "flight/flight_model.h"
#include "flight/render_frame.h"
#include "tunnel/init_orbalt.h"
#include "tunnel/orbalt2.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"

namespace {

// The range the program's frame draws, by segment number rather than by
// ring slot (the collision's), so that it can be checked against the ring.
FlightFrame RecordFrame(const Camera& camera, const TunnelBuilder& builder) {
    const auto segment = static_cast<int32_t>(std::floor(camera.position.z / builder.spacing));
    return FlightFrame{camera,
                       FirstVisibleSegment(segment, builder.lookahead, camera.direction.z, CornerCosine(camera))};
}

// Segments start ... end are whole (sections and normals) once the builder
// has moved; a wrap-around or a flight past the ring's reach leaves earlier
// frames' ranges outside.
bool RingHoldsEveryFrame(const std::vector<FlightFrame>& frames, const TunnelBuilder& builder) {
    const auto count = static_cast<int32_t>(builder.lookahead);
    for (const FlightFrame& frame : frames)
        if (frame.firstSegment < builder.start || frame.firstSegment + count - 1 > builder.end) return false;
    return true;
}

}  // namespace

bool BuildBenchTunnel(Orbalt2& mesh, TunnelBuilder& builder, const char* sectionPath) {
    if (!BuildStandardTunnel(mesh, builder, TunnelParams{}, sectionPath)) return false;
    ColorFromNormals(mesh);
    const DrawingOptions drawing;
    mesh.SetNormals(drawing.normals);
    mesh.SetColors(drawing.colors);
    mesh.SetTexCoords(drawing.texcoords);
    return true;
}

std::vector<FlightFrame> FlyBenchFlight(const FlightPlan& plan, Orbalt2& mesh, TunnelBuilder& builder,
                                        Camera camera) {
    CruiseState cruise;
    if (!StartCruise(mesh, builder, cruise, camera)) return {};
    CollisionState collision;
    // One flight step from the wall, as the program keeps it.
    collision.clearance = FlightState{}.maxStep;
    const CruiseOptions options{plan.speed};
    std::vector<FlightFrame> frames;
    frames.reserve(plan.frames);
    for (uint32_t i = 0; i < plan.frames; ++i) {
        CruiseTick(options, static_cast<float>(plan.timeStep), mesh, builder, collision, cruise, camera);
        UpdateDirection(camera);  // as the frame does before it draws
        frames.push_back(RecordFrame(camera, builder));
    }
    if (!RingHoldsEveryFrame(frames, builder)) return {};
    return frames;
}
