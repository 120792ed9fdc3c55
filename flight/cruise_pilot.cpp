#include "flight/cruise_pilot.h"

#include <algorithm>
#include <cmath>

#include "flight/collision.h"
#include "flight/flight_model.h"
#include "flight/wrap_around.h"
#include "tunnel/init_orbalt.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

namespace {

// The centre line is read as the mean of its points within this distance,
// weighted by nearness: at the standard spacing, the blend of the two
// sections around a point.
constexpr float kCentreReach = 0.03125f;
// The slope of the line is read this far ahead: about the distance the
// turning takes to follow a change of aim, so that it starts early enough.
constexpr float kSlopeLead = 0.015f;
// Drift off the line is corrected over this distance flown.
constexpr float kCorrectionDistance = 0.06f;
// How fast the heading closes in on its aim: per world unit flown.
constexpr float kHeadingGain = 80.0f;
// Aims steeper than this (degrees off +z) are not followed, and neither yaw
// nor pitch ever passes the second: the camera never turns back. Where the
// tunnel runs sideways fastest, following it takes about 70 degrees.
constexpr float kSteepestAim = 78.0f;
constexpr float kSteepestHeading = 85.0f;
// Each tick is flown in steps of at most this length, so that a long frame
// turns as a few short ones do.
constexpr float kLongestStep = 0.005f;
constexpr int kMostSteps = 64;
// The yaw that looks along +z.
constexpr float kForwardYaw = 180.0f;
constexpr float kRadiansToDegrees = 1.0f / kDegreesToRadians;

// The section at or before z; a z without one (not a number, or beyond the
// range the builder numbers) reads section 0.
int32_t SectionOf(float z, float spacing) {
    constexpr double kFarthest = 1 << 30;
    const double section = std::floor(static_cast<double>(z) / spacing);
    return std::fabs(section) <= kFarthest ? static_cast<int32_t>(section) : 0;
}

// The heading's yaw as an angle off +z, in (-180, 180].
float YawOffAxis(const Camera& camera) { return std::remainder(camera.yaw - kForwardYaw, 360.0f); }

// Turns `angle` toward `aim` over `distance` flown. The turning closes in on
// the aim in proportion to what is left, no faster than it can still brake
// to a stop at the aim, and no faster than the limit; it changes by at most
// the change limit per unit flown.
void TurnToward(const CruiseOptions& options, float aim, float distance, float& angle, float& turn) {
    const float left = aim - angle;
    const float brake = std::sqrt(2.0f * options.turnChangeLimit * std::fabs(left));
    const float wanted = std::copysign(std::min({kHeadingGain * std::fabs(left), brake, options.turnLimit}), left);
    const float most = options.turnChangeLimit * distance;
    turn += std::clamp(wanted - turn, -most, most);
    angle += turn * distance;
    if (std::fabs(angle) > kSteepestHeading) {
        angle = std::copysign(kSteepestHeading, angle);
        turn = 0.0f;
    }
}

// The slopes (x and y per unit of z) that carry the camera back to the line
// and along it.
Point2 AimSlopes(const CentreLine& line, float spacing, const Vector3& position) {
    const Point2 here = CentreAt(line, spacing, position.z, kCentreReach);
    const Point2 before = CentreAt(line, spacing, position.z + kSlopeLead - spacing, kCentreReach);
    const Point2 after = CentreAt(line, spacing, position.z + kSlopeLead + spacing, kCentreReach);
    const float across = 2.0f * spacing;
    return Point2{(after.x - before.x) / across + (here.x - position.x) / kCorrectionDistance,
                  (after.y - before.y) / across + (here.y - position.y) / kCorrectionDistance};
}

// The yaw and pitch off +z (degrees) that fly along the given slopes, the
// slopes first cut to the steepest aim followed.
Point2 AimAngles(Point2 slopes) {
    const float steepness = std::sqrt(slopes.x * slopes.x + slopes.y * slopes.y);
    const float steepest = std::tan(kSteepestAim * kDegreesToRadians);
    if (steepness > steepest) {
        slopes.x *= steepest / steepness;
        slopes.y *= steepest / steepness;
    }
    const float yaw = std::atan(slopes.x);
    // The pitch tilts the view out of the plane of the yaw.
    return Point2{yaw * kRadiansToDegrees, std::atan(slopes.y * std::cos(yaw)) * kRadiansToDegrees};
}

// One step of `distance` along the flight: turn, then fly straight.
void Step(const CruiseOptions& options, float spacing, float distance, CruiseState& state, Camera& camera) {
    const Point2 aim = AimAngles(AimSlopes(state.centreLine, spacing, camera.position));
    float yaw = YawOffAxis(camera);
    float pitch = camera.pitch;
    TurnToward(options, aim.x, distance, yaw, state.yawTurn);
    TurnToward(options, aim.y, distance, pitch, state.pitchTurn);
    camera.yaw = kForwardYaw + yaw;
    camera.pitch = pitch;
    UpdateDirection(camera);
    Vector3 move = camera.direction;
    camera.position.Add(move.Scale(distance));
}

// The centre line from the section behind the camera to beyond where this
// tick's steps will look, within what the builder has generated.
void KeepCentreLine(const TunnelBuilder& builder, float distance, CruiseState& state, const Camera& camera) {
    const float spacing = builder.spacing;
    const int32_t here = SectionOf(camera.position.z, spacing);
    const float reach = distance + kSlopeLead + spacing + kCentreReach;
    const int32_t wanted = static_cast<int32_t>(std::ceil(reach / spacing)) + 2;
    const int32_t ahead = std::min(wanted, static_cast<int32_t>(CentreLine::kCapacity) - 2);
    const int32_t last = std::min(here + ahead, builder.end);
    ExtendCentreLine(*builder.mesh, here - 1, last, Point2{camera.position.x, camera.position.y},
                     state.centreLine);
}

// The seconds a frame flies: none for a frame time that is not a positive
// number, at most the longest frame.
float FlownSeconds(float frameTime) {
    if (!(frameTime > 0.0f)) return 0.0f;
    return std::min(frameTime, kLongestCruiseFrame);
}

// When the camera leaves +-L, it, the tunnel and the centre line move back by L together.
void WrapAround(Orbalt2& mesh, TunnelBuilder& builder, CruiseState& state, Camera& camera) {
    const int32_t start = builder.start;
    if (WrapCameraAndTunnel(mesh, builder, camera) != 0.0f)
        ShiftCentreLine(builder.start - start, state.centreLine);
}

}  // namespace

bool StartCruise(const Orbalt2& mesh, const TunnelBuilder& builder, CruiseState& state, Camera& camera) {
    if (!builder.Ready()) return false;
    state = CruiseState{};
    const int32_t here = SectionOf(camera.position.z, builder.spacing);
    ExtendCentreLine(mesh, here - 1, std::min(here + 2, builder.end), ProfileMean(SectionProfile(mesh, here - 1)),
                     state.centreLine);
    const Point2 centre = CentreAt(state.centreLine, builder.spacing, camera.position.z, kCentreReach);
    camera.position.x = centre.x;
    camera.position.y = centre.y;
    camera.yaw = kForwardYaw;
    camera.pitch = 0.0f;
    UpdateDirection(camera);
    return true;
}

void FlyCruise(const CruiseOptions& options, float frameTime, const Orbalt2& mesh, const TunnelBuilder& builder,
               CruiseState& state, Camera& camera) {
    // A builder that ran out of time with a section half searched holds the
    // camera at the last segment it serves: the camera waits for it instead
    // of turning on the spot.
    if (!builder.Ready() || builder.mesh != &mesh || builder.Generating()) return;
    const float speed = std::isfinite(options.speed) ? std::max(options.speed, 0.0f) : 0.0f;
    const float distance = speed * FlownSeconds(frameTime);
    if (!(distance > 0.0f)) return;
    KeepCentreLine(builder, distance, state, camera);
    const int steps = std::clamp(static_cast<int>(std::ceil(distance / kLongestStep)), 1, kMostSteps);
    const float step = distance / static_cast<float>(steps);
    for (int i = 0; i < steps; ++i) Step(options, builder.spacing, step, state, camera);
}

bool CruiseTick(const CruiseOptions& options, float frameTime, Orbalt2& mesh, TunnelBuilder& builder,
                CollisionState& collision, CruiseState& state, Camera& camera) {
    // The camera waits while a new tunnel is generated around it.
    if (builder.Building()) {
        if (!ContinueTunnelBuild({mesh, builder})) return false;
        StartCruise(mesh, builder, state, camera);
    }
    if (!builder.Ready()) return false;
    FlyCruise(options, frameTime, mesh, builder, state, camera);
    builder.Update(camera.position.z);
    camera.position.z = builder.Reachable(camera.position.z);
    WrapAround(mesh, builder, state, camera);
    return CollideWithTunnel(mesh, builder.spacing, collision, camera.position);
}
