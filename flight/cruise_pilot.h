#pragma once
// The cruise pilot: an unattended flight through the tunnel for the
// screensaver and the benchmarks. It flies the camera forward (+z) at a
// steady speed and steers toward the tunnel's centre line (centre_line.h),
// read only from the sections the builder has generated ahead of the camera.
// Its turning is limited, and so is the change of its turning, both per
// world unit flown: the pilot flies the same line through the tunnel at any
// speed and frame rate, smoothly, and turns no faster than the tunnel needs.
//
// The same tunnel, options and frame times give the same flight on every
// machine: nothing reads a clock or a random number.
#include "flight/camera.h"
#include "flight/centre_line.h"

class Orbalt2;
class TunnelBuilder;
struct CollisionState;

struct CruiseOptions {
    float speed = 0.15f;  // world units per second along the view direction
    // The sharpest turn, in degrees per world unit flown (of yaw and of
    // pitch each), and how fast that may change, in degrees per world unit
    // per world unit flown.
    float turnLimit = 1200.0f;
    float turnChangeLimit = 45000.0f;
};

// What the pilot carries from one tick to the next.
struct CruiseState {
    CentreLine centreLine;
    float yawTurn = 0.0f;    // degrees of yaw per world unit flown, now
    float pitchTurn = 0.0f;  // degrees of pitch per world unit flown, now
};

// The longest frame flown: a longer one (the machine slept) flies this long,
// as the program's own flight slows down below its frame rate rather than
// taking longer steps.
constexpr float kLongestCruiseFrame = 0.1f;

// Puts the camera on the centre line of the section at its z, looking along
// +z, and starts the pilot afresh; for a tunnel just built, or whenever the
// pilot takes over. False, changing nothing, while the builder serves no
// tunnel.
bool StartCruise(const Orbalt2& mesh, const TunnelBuilder& builder, CruiseState& state, Camera& camera);

// The pilot's own step, in place of the flight model's: turns toward the
// centre line ahead and flies the camera frameTime seconds along its view.
// A frame time of 0 (or one that is not a number) changes nothing. While the
// builder has a section half searched, the camera waits for it.
void FlyCruise(const CruiseOptions& options, float frameTime, const Orbalt2& mesh, const TunnelBuilder& builder,
               CruiseState& state, Camera& camera);

// A whole unattended tick, the program's frame with the pilot flying: the
// pilot's step, the builder's update, the camera held where the tunnel is
// generated, the wrap-around and the collision. A build in progress goes on
// instead, and the cruise starts in the tick that makes the ring whole. True
// when the collision pushed the camera off the wall, which the pilot never
// lets happen in a tunnel wider than the clearance.
bool CruiseTick(const CruiseOptions& options, float frameTime, Orbalt2& mesh, TunnelBuilder& builder,
                CollisionState& collision, CruiseState& state, Camera& camera);
