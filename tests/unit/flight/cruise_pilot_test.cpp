// The cruise pilot through the standard tunnel: long unattended flights on
// the shipped section file and on the twistiest section files the fuzzer's
// seeds hold that load, at several speeds and frame rates, that never let
// the collision push, never stop or turn back, turn within their limits and
// fly the same way every time; where it starts; frame times without a
// flight in them; and a build spread over ticks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "flight/collision.h"
#include "flight/cruise_pilot.h"
#include "flight/flight_model.h"
#include "flight/wrap_around.h"
#include "platform/stub/stub_control.h"
#include "tunnel/standard_tunnel.h"

namespace {

using platform::stub::state;

std::string ShippedFile() { return std::string(ORBALT_DATA_DIR) + "/test.sct"; }
std::string SeedFile(const char* name) { return std::string(ORBALT_SECTION_SEEDS_DIR) + "/" + name; }

enum class Frames { Fast, Steady, Slow, Irregular };

// Frame times that stall (0), jump (a machine that slept for 4 s) and wander.
constexpr float kIrregularFrames[] = {1.0f / 60, 1.0f / 30, 0.0f,       1.0f / 144, 0.1f,      4.0f, 1.0f / 50,
                                      1.0f / 75, 0.033f,    1.0f / 240, 0.0f,       1.0f / 60, 0.07f};

float FrameTime(Frames frames, int tick) {
    switch (frames) {
        case Frames::Fast: return 1.0f / 240.0f;
        case Frames::Steady: return 1.0f / 60.0f;
        case Frames::Slow: return 1.0f / 15.0f;
        case Frames::Irregular: break;
    }
    return kIrregularFrames[tick % std::size(kIrregularFrames)];
}

// The distance a frame flies at the given speed.
float Flown(float speed, float frameTime) {
    return frameTime > 0.0f ? speed * std::min(frameTime, kLongestCruiseFrame) : 0.0f;
}

float YawOffAxis(const Camera& camera) { return std::remainder(camera.yaw - 180.0f, 360.0f); }

int Beeps() { return static_cast<int>(std::count(state().calls.begin(), state().calls.end(), "SimpleBeep")); }

// What a flight met, tick by tick.
struct FlightLog {
    int pushes = 0;  // ticks whose collision pushed the camera
    int beeps = 0;   // escapes through the wall
    int stalls = 0;  // ticks with a frame to fly whose z did not advance
    int stirs = 0;   // ticks without a frame to fly that moved or turned the camera
    int wraps = 0;
    float nearest = 1.0f;                   // the collision's nearest distance, at its least
    float leastForward = 1.0f;              // direction z, at its least
    float sharpestTurn = 0.0f;              // turn per unit flown, as a share of the limit
    float sharpestTurnChange = 0.0f;        // change of the turn between frames, as a share of its limit
    uint64_t path = 14695981039346656037u;  // FNV-1a of every tick's position, yaw and pitch
};

void Hash(uint64_t& hash, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i) hash = (hash ^ ((bits >> (8 * i)) & 0xFFu)) * 1099511628211u;
}

// A standard tunnel built around `startZ` from a section file, with the
// program's clearance, and the camera handed to the pilot there.
class Cruise {
public:
    bool Start(const std::string& path, float startZ) {
        if (!BuildStandardTunnel(mesh, builder, TunnelParams{}, path.c_str(), startZ)) return false;
        collision.clearance = FlightState{}.maxStep;
        camera.position.Set(0.0f, 0.0f, startZ);
        return StartCruise(mesh, builder, pilot, camera);
    }

    FlightLog Fly(const CruiseOptions& options, Frames frames, int ticks) {
        FlightLog log;
        const float wrapLength = WrapLength(mesh, builder.spacing);
        float lastFlown = 0.0f, lastYawTurn = 0.0f, lastPitchTurn = 0.0f;
        state().calls.clear();
        for (int tick = 0; tick < ticks; ++tick) {
            const float frameTime = FrameTime(frames, tick), flown = Flown(options.speed, frameTime);
            const Camera before = camera;
            if (CruiseTick(options, frameTime, mesh, builder, collision, pilot, camera)) ++log.pushes;
            log.beeps += Beeps();
            state().calls.clear();
            log.nearest = std::min(log.nearest, collision.nearestDistance);
            log.leastForward = std::min(log.leastForward, camera.direction.z);
            float advance = camera.position.z - before.position.z;
            if (advance < -wrapLength / 2) {
                advance += wrapLength;
                ++log.wraps;
            }
            const float yawChange = std::remainder(YawOffAxis(camera) - YawOffAxis(before), 360.0f);
            const float pitchChange = camera.pitch - before.pitch;
            Hash(log.path, camera.position.x);
            Hash(log.path, camera.position.y);
            Hash(log.path, camera.position.z);
            Hash(log.path, camera.yaw);
            Hash(log.path, camera.pitch);
            if (flown == 0.0f) {
                if (advance != 0.0f || yawChange != 0.0f || pitchChange != 0.0f ||
                    camera.position.x != before.position.x || camera.position.y != before.position.y)
                    ++log.stirs;
                continue;
            }
            if (!(advance > 0.0f)) ++log.stalls;
            const float yawTurn = yawChange / flown, pitchTurn = pitchChange / flown;
            log.sharpestTurn =
                std::max(log.sharpestTurn, std::max(std::fabs(yawTurn), std::fabs(pitchTurn)) / options.turnLimit);
            // The turn changes by at most the change limit per unit flown, so
            // the mean turns of two frames differ by at most that over the
            // longer of them.
            if (lastFlown > 0.0f) {
                const float change =
                    std::max(std::fabs(yawTurn - lastYawTurn), std::fabs(pitchTurn - lastPitchTurn));
                log.sharpestTurnChange = std::max(log.sharpestTurnChange,
                                                  change / (options.turnChangeLimit * std::max(flown, lastFlown)));
            }
            lastFlown = flown;
            lastYawTurn = yawTurn;
            lastPitchTurn = pitchTurn;
        }
        return log;
    }

    Orbalt2 mesh;
    TunnelBuilder builder;
    CollisionState collision;
    CruiseState pilot;
    Camera camera;
};

// Every flight starts a little before the wrap-around, so that it flies across it early on.
constexpr float kStartZ = 512.0f - 1.0f;

struct LongFlight {
    const char* name;
    std::string path;
    float speed;
    Frames frames;
    int ticks;
};

void PrintTo(const LongFlight& flight, std::ostream* out) { *out << flight.name; }

class CruiseFlight : public ::testing::TestWithParam<LongFlight> {
protected:
    void TearDown() override { platform::stub::Reset(); }
};

TEST_P(CruiseFlight, NeverMeetsTheWallStopsOrTurnsBackAndTurnsSmoothly) {
    const LongFlight& flight = GetParam();
    Cruise cruise;
    ASSERT_TRUE(cruise.Start(flight.path, kStartZ)) << flight.path;
    CruiseOptions options;
    options.speed = flight.speed;
    const FlightLog log = cruise.Fly(options, flight.frames, flight.ticks);
    EXPECT_EQ(log.pushes, 0);
    EXPECT_GE(log.nearest, cruise.collision.clearance);
    EXPECT_EQ(log.beeps, 0);
    EXPECT_EQ(log.stalls, 0);
    EXPECT_EQ(log.stirs, 0);
    EXPECT_GE(log.wraps, 1);
    EXPECT_GT(log.leastForward, 0.0f);
    EXPECT_LE(log.sharpestTurn, 1.001f);
    EXPECT_LE(log.sharpestTurnChange, 1.001f);
    RecordProperty("nearest", std::to_string(log.nearest));
    RecordProperty("leastForward", std::to_string(log.leastForward));
}

const float kDefaultSpeed = CruiseOptions{}.speed;

std::string FlightName(const ::testing::TestParamInfo<LongFlight>& flight) { return flight.param.name; }

// What a flight costs is mostly the sections it generates (a few thousand
// here under the sanitizers take seconds), so each file gets one flight of
// 100,000 ticks at a high frame rate and shorter ones at the others.
INSTANTIATE_TEST_SUITE_P(
    ShippedFile, CruiseFlight,
    ::testing::Values(LongFlight{"DefaultSpeedAt240Hz", ShippedFile(), kDefaultSpeed, Frames::Fast, 100000},
                      LongFlight{"DefaultSpeedAt60Hz", ShippedFile(), kDefaultSpeed, Frames::Steady, 30000},
                      LongFlight{"SlowAt60Hz", ShippedFile(), 0.05f, Frames::Steady, 30000},
                      LongFlight{"FastAt15Hz", ShippedFile(), 0.4f, Frames::Slow, 3000},
                      LongFlight{"FastIrregular", ShippedFile(), 0.4f, Frames::Irregular, 5000}),
    FlightName);

// The seeds that load and leave room to fly: a wave aliased by a large walk
// (whose sections take the walker long to find), and a shifted wave that the
// walk narrows, after some 6000 sections, to little more than the clearance
// (its flights end before). The other seeds are refused, stay round, or walk
// to a tunnel narrower than the clearance.
INSTANTIATE_TEST_SUITE_P(
    SeedFiles, CruiseFlight,
    ::testing::Values(LongFlight{"AliasedWaveSlowAt240Hz", SeedFile("aliased_wave_large_step.sct"), 0.05f,
                                 Frames::Fast, 100000},
                      LongFlight{"AliasedWaveFastIrregular", SeedFile("aliased_wave_large_step.sct"), 0.4f,
                                 Frames::Irregular, 1000},
                      LongFlight{"ShiftedWaveDefaultSpeedAt240Hz", SeedFile("shifted_wave.sct"), kDefaultSpeed,
                                 Frames::Fast, 100000},
                      LongFlight{"ShiftedWaveFastAt15Hz", SeedFile("shifted_wave.sct"), 0.4f, Frames::Slow, 3000}),
    FlightName);

TEST(CruisePilot, FliesTheSameFlightTwice) {
    CruiseOptions options;
    options.speed = 0.3f;
    FlightLog logs[2];
    Camera ends[2];
    for (int run = 0; run < 2; ++run) {
        Cruise cruise;
        ASSERT_TRUE(cruise.Start(ShippedFile(), kStartZ));
        logs[run] = cruise.Fly(options, Frames::Irregular, 3000);
        ends[run] = cruise.camera;
    }
    EXPECT_EQ(logs[0].path, logs[1].path);
    EXPECT_EQ(std::memcmp(&ends[0], &ends[1], sizeof ends[0]), 0);
}

// Flies on until the camera passes z and returns where it crossed z, between the positions of that tick.
Point2 CrossingAt(Cruise& cruise, Frames frames, float z) {
    Vector3 before = cruise.camera.position;
    for (int tick = 0; tick < 1000000 && cruise.camera.position.z < z; ++tick) {
        before = cruise.camera.position;
        cruise.Fly(CruiseOptions{}, frames, 1);
    }
    const Vector3& after = cruise.camera.position;
    const float t = (z - before.z) / (after.z - before.z);
    return Point2{before.x + t * (after.x - before.x), before.y + t * (after.y - before.y)};
}

// The line flown depends on the distance flown, not on the frames it is flown in.
TEST(CruisePilot, FliesTheSameLineAtAnyFrameRate) {
    Cruise fast, slow;
    ASSERT_TRUE(fast.Start(ShippedFile(), 0.0f));
    ASSERT_TRUE(slow.Start(ShippedFile(), 0.0f));
    for (int leg = 1; leg <= 20; ++leg) {
        const float z = 0.5f * static_cast<float>(leg);
        const Point2 fastCrossing = CrossingAt(fast, Frames::Fast, z);
        const Point2 slowCrossing = CrossingAt(slow, Frames::Slow, z);
        EXPECT_NEAR(fastCrossing.x, slowCrossing.x, 0.005f) << z;
        EXPECT_NEAR(fastCrossing.y, slowCrossing.y, 0.005f) << z;
    }
}

// The most room any point of the profile has, searched on a fine grid over its box.
float MostRoom(const Profile& profile) {
    Box2 box = Box2::At(Point2{profile.points[0].x, profile.points[0].y});
    for (uint32_t i = 1; i < profile.count; ++i) box.Widen(Point2{profile.points[i].x, profile.points[i].y});
    constexpr int kCells = 64;
    float most = 0.0f;
    for (int i = 0; i < kCells; ++i)
        for (int j = 0; j < kCells; ++j) {
            const Point2 p{box.xmin + (box.xmax - box.xmin) * (static_cast<float>(i) + 0.5f) / kCells,
                           box.ymin + (box.ymax - box.ymin) * (static_cast<float>(j) + 0.5f) / kCells};
            if (InsideProfile(profile, p)) most = std::max(most, DistanceToWall(profile, p));
        }
    return most;
}

TEST(CruisePilot, StartsOnTheCentreOfItsSectionLookingAlongTheTunnel) {
    Cruise cruise;
    cruise.camera.yaw = 30.0f;
    cruise.camera.pitch = -20.0f;
    ASSERT_TRUE(cruise.Start(ShippedFile(), 2.0f));
    EXPECT_EQ(cruise.camera.yaw, 180.0f);
    EXPECT_EQ(cruise.camera.pitch, 0.0f);
    EXPECT_NEAR(cruise.camera.direction.z, 1.0f, 1e-6f);
    EXPECT_EQ(cruise.camera.position.z, 2.0f);
    const Profile here = SectionProfile(cruise.mesh, 64);
    const Point2 at{cruise.camera.position.x, cruise.camera.position.y};
    EXPECT_TRUE(InsideProfile(here, at));
    EXPECT_GT(DistanceToWall(here, at), 0.9f * MostRoom(here));
}

TEST(CruisePilot, NeedsATunnel) {
    Orbalt2 mesh;
    TunnelBuilder builder;
    CruiseState pilot;
    CollisionState collision;
    Camera camera;
    camera.position.Set(1.0f, 2.0f, 3.0f);
    const Camera before = camera;
    EXPECT_FALSE(StartCruise(mesh, builder, pilot, camera));
    EXPECT_FALSE(CruiseTick(CruiseOptions{}, 0.1f, mesh, builder, collision, pilot, camera));
    EXPECT_EQ(std::memcmp(&camera, &before, sizeof camera), 0);
}

TEST(CruisePilot, FramesWithoutTimeChangeNothingAndALongOneFliesTheLongestFrame) {
    Cruise cruise;
    ASSERT_TRUE(cruise.Start(ShippedFile(), 0.0f));
    CruiseOptions options;
    cruise.Fly(options, Frames::Steady, 100);
    for (const float frameTime : {0.0f, -1.0f, NAN}) {
        const Camera before = cruise.camera;
        const CruiseState pilot = cruise.pilot;
        FlyCruise(options, frameTime, cruise.mesh, cruise.builder, cruise.pilot, cruise.camera);
        EXPECT_EQ(std::memcmp(&cruise.camera, &before, sizeof before), 0) << frameTime;
        EXPECT_EQ(cruise.pilot.yawTurn, pilot.yawTurn);
        EXPECT_EQ(cruise.pilot.pitchTurn, pilot.pitchTurn);
    }
    const Vector3 before = cruise.camera.position;
    FlyCruise(options, 4.0f, cruise.mesh, cruise.builder, cruise.pilot, cruise.camera);
    const Vector3 after = cruise.camera.position;
    const float moved =
        std::sqrt((after.x - before.x) * (after.x - before.x) + (after.y - before.y) * (after.y - before.y) +
                  (after.z - before.z) * (after.z - before.z));
    EXPECT_LE(moved, options.speed * kLongestCruiseFrame * 1.0001f);
    EXPECT_GT(moved, options.speed * kLongestCruiseFrame * 0.9f);
}

// A build spread over ticks, one walker try a tick: the camera waits, and
// the cruise starts on the centre line in the tick that makes the ring whole.
TEST(CruisePilot, WaitsForABuildAndStartsWhenTheRingIsWhole) {
    Cruise cruise;
    ASSERT_TRUE(SizeStandardMesh(cruise.mesh, TunnelParams{}) &&
                AttachStandardBuilder(cruise.builder, cruise.mesh));
    cruise.builder.buildBudget = 1e-12;
    ASSERT_TRUE(cruise.builder.Init(kStandardWalkSeed, 1.0f, TunnelParams{}.spacing, ShippedFile().c_str()));
    ASSERT_TRUE(cruise.builder.Building());
    cruise.camera.position.Set(0.5f, 0.5f, 1.0f);
    int ticks = 0;
    while (cruise.builder.Building() && ticks < 1000000) {
        EXPECT_FALSE(CruiseTick(CruiseOptions{}, 1.0f / 60.0f, cruise.mesh, cruise.builder, cruise.collision,
                                cruise.pilot, cruise.camera));
        ++ticks;
        if (cruise.builder.Building()) {
            ASSERT_EQ(cruise.camera.position.x, 0.5f);
            ASSERT_EQ(cruise.camera.position.z, 1.0f);
        }
    }
    ASSERT_TRUE(cruise.builder.Ready());
    EXPECT_GT(ticks, 1);
    EXPECT_GT(cruise.camera.position.z, 1.0f);
    const Profile here = SectionProfile(cruise.mesh, 32);
    EXPECT_GT(DistanceToWall(here, Point2{cruise.camera.position.x, cruise.camera.position.y}),
              0.8f * MostRoom(here));
}

}  // namespace
