#pragma once
// What the program-level flight tests and benchmarks share (they fly through
// the shell's frame, on the program-wide objects): a fresh start of those
// objects, the default tunnel, a pilot that flies with seeded random
// input from all three devices at varying frame times, and a measure of how
// far the camera is outside the tunnel.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "flight/collision.h"
#include "flight/flight_model.h"
#include "flight/wrap_around.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"
#include "shell/frame.h"
#include "shell/program.h"
#include "shell/program_objects.h"
#include "shell/window_proc.h"
#include "tunnel/standard_tunnel.h"

namespace harness {

constexpr float kSpacing = 0.03125f;
constexpr float kCountsPerSecond = 1.0e7f;  // the stand-in's counter frequency

inline std::string SectionFile() { return std::string(ORBALT_DATA_DIR) + "/test.sct"; }

// Builds the default tunnel (256 sections of 64 points) around cameraZ.
inline bool BuildDefaultTunnel(float cameraZ) {
    if (!BuildStandardTunnel(tunnelMesh, tunnelBuilder, TunnelParams{}, SectionFile().c_str(), cameraZ))
        return false;
    collisionState.clearance = collisionClearance;
    return true;
}

// Gives the program-wide objects their starting values again, then what a
// flight starts from: at the origin, at rest, looking along +z, every device
// idle and unchanged, the stand-ins reset, and the frame timer at counter
// reading 0.
inline void StartFlightAfresh() {
    ResetProgramObjects();
    platform::stub::Reset();
    platform::stub::ResetInput();
    camera.yaw = 180.0f;
    UpdateDirection(camera);
    mouse.changed = keyboard.changed = joystick.changed = false;
    frameTime = 1.0f / 60.0f;
    secondsPerCount = 1.0f / kCountsPerSecond;
    frameTimer = FrameTimer(0);
    // No time limits on generation: the frames do the same work on any machine.
    tunnelBuilder.updateBudget = tunnelBuilder.buildBudget = 0.0;
}

inline void ReleaseTunnel() {
    tunnelBuilder.Reset();
    tunnelBuilder.updateBudget = tunnelBuilder.buildBudget = 0.0;
    tunnelMesh.Release();
    platform::stub::state().counterValues.clear();
}

inline intptr_t PointParam(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) | static_cast<uint32_t>(x & 0xFFFF));
}

// Random device states held for episodes of random length, fed through the
// window procedure as the devices' messages.
class Pilot {
public:
    explicit Pilot(uint32_t seed) : random_(seed) {}

    // Sends this frame's messages and advances the clocks by a frame time.
    void Frame() {
        if (--episodeLeft_ <= 0) NewEpisode();
        if (mouseMoving_) {
            int dx = Uniform(-12, 12), dy = Uniform(-12, 12);
            if (dx == 0 && dy == 0) dx = 1;
            Send(platform::msg::MouseMove, 0, PointParam(mouse.clientCentre.x + dx, mouse.clientCentre.y + dy));
        }
        if (stickMoving_) {
            auto raw = [&](float base) {
                float v = base + 0.05f * static_cast<float>(Uniform(-1, 1));
                v = std::fmax(-1.0f, std::fmin(1.0f, v));
                return static_cast<uint32_t>((v + 1.0f) * 0.5f * 65535.0f);
            };
            Send(platform::msg::Joy1Move, 0, static_cast<intptr_t>((raw(stickY_) << 16) | raw(stickX_)));
        }
        AdvanceClocks(FrameTime());
    }

    void AdvanceClocks(float seconds) {
        counter_ += static_cast<int64_t>(seconds * kCountsPerSecond);
        platform::stub::state().counterValues.push_back(counter_);
        platform::stub::state().tickCount += static_cast<uint32_t>(seconds * 1000.0f);
    }

    // Holds only the given keys and buttons down.
    void Hold(bool left, bool right, uint32_t keys, uint32_t stickButtons) {
        SetButton(mouse.channels[Mouse::LEFT].value != 0, left, platform::msg::LeftButtonDown,
                  platform::msg::LeftButtonUp);
        SetButton(mouse.channels[Mouse::RIGHT].value != 0, right, platform::msg::RightButtonDown,
                  platform::msg::RightButtonUp);
        for (uint32_t i = 0; i < 7; ++i) {
            bool wanted = (keys >> i) & 1u;
            if (wanted != keyboard.Down(kKeys[i]))
                Send(wanted ? platform::msg::KeyDown : platform::msg::KeyUp, kKeys[i], 0);
        }
        Send(platform::msg::Joy1ButtonDown, stickButtons, 0);
    }

    // The given buttons and keys alone, for the next `frames` frames at about 60 per second.
    void HoldFor(int frames, bool left, bool right, uint32_t keys, uint32_t stickButtons) {
        Quiet();
        Hold(left, right, keys, stickButtons);
        episodeLeft_ = frames + 1;
        frameTimeKind_ = 50;
    }

    void Quiet() {
        mouseMoving_ = stickMoving_ = false;
        stickX_ = stickY_ = 0.0f;
        Send(platform::msg::Joy1Move, 0, PointParam(0x8000, 0x8000));
    }

    int64_t counter() const { return counter_; }

private:
    static constexpr uint32_t kKeys[7] = {platform::vk::Shift, platform::vk::Left, platform::vk::Right,
                                          platform::vk::Up,    platform::vk::Down, platform::vk::A,
                                          platform::vk::Z};

    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int percent) { return Uniform(0, 99) < percent; }

    void Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
        WndProc(reinterpret_cast<platform::WindowHandle>(0x1010), message, wParam, lParam);
    }
    void SetButton(bool down, bool wanted, uint32_t downMessage, uint32_t upMessage) {
        if (down != wanted) Send(wanted ? downMessage : upMessage, 0, 0);
    }

    void NewEpisode() {
        // Now and then a long quiet stretch, so that the autopilot takes over.
        if (Chance(3)) {
            episodeLeft_ = Uniform(2000, 4000);
            Quiet();
            Hold(false, false, Chance(50) ? 0x20u : 0u, 0);  // maybe flying on with A held
            return;
        }
        episodeLeft_ = Uniform(1, 120);
        mouseMoving_ = Chance(40);
        stickMoving_ = Chance(30);
        stickX_ = static_cast<float>(Uniform(-10, 10)) / 10.0f;
        stickY_ = static_cast<float>(Uniform(-10, 10)) / 10.0f;
        uint32_t keys = 0;
        for (uint32_t i = 0; i < 7; ++i)
            if (Chance(i == 0 ? 10 : 20)) keys |= 1u << i;
        // Forward more often than backward, but plenty of both.
        bool left = Chance(35), right = Chance(20);
        Hold(left, right, keys, Chance(15) ? static_cast<uint32_t>(Uniform(1, 3)) : 0u);
        frameTimeKind_ = Uniform(0, 99);
    }

    float FrameTime() {
        if (frameTimeKind_ < 2) return 0.0f;               // a timer that did not advance
        if (frameTimeKind_ < 4 && Chance(2)) return 4.0f;  // the machine slept
        if (frameTimeKind_ < 20) return 0.1f;              // below 30 frames per second
        return (14.0f + static_cast<float>(Uniform(0, 6))) / 1000.0f;
    }

    std::mt19937 random_;
    int episodeLeft_ = 0;
    bool mouseMoving_ = false, stickMoving_ = false;
    float stickX_ = 0.0f, stickY_ = 0.0f;
    int frameTimeKind_ = 50;
    int64_t counter_ = 0;
};

// The cut of a triangle that spans the plane z = const: the segment between
// the points where two of its edges cross the plane (none when no edge does).
inline bool CutAt(float z, const Vector3& a, const Vector3& b, const Vector3& c, Point2& from, Point2& to) {
    Point2 points[2];
    int found = 0;
    const Vector3* corners[3] = {&a, &b, &c};
    for (int e = 0; e < 3 && found < 2; ++e) {
        const Vector3& p = *corners[e];
        const Vector3& q = *corners[(e + 1) % 3];
        if ((p.z <= z) == (q.z <= z)) continue;  // both on one side
        float t = (z - p.z) / (q.z - p.z);
        points[found++] = Point2{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
    }
    from = points[0];
    to = points[1];
    return found == 2;
}

inline float SegmentDistance(const Point2& p, const Point2& a, const Point2& b) {
    float abx = b.x - a.x, aby = b.y - a.y;
    float length = abx * abx + aby * aby;
    float t = length > 0.0f ? ((p.x - a.x) * abx + (p.y - a.y) * aby) / length : 0.0f;
    t = std::fmax(0.0f, std::fmin(1.0f, t));
    float dx = a.x + t * abx - p.x, dy = a.y + t * aby - p.y;
    return std::sqrt(dx * dx + dy * dy);
}

// How far the position lies outside the tunnel: its distance to the wall
// when it is outside the cross-section of its segment at its z, else 0. The
// cross-section is the closed polygon in which the plane of that z cuts the
// segment's triangles; outside means an even number of its edges crosses
// the ray from the position toward +x.
inline float DepthBehindWall(const Vector3& p) {
    const Orbalt2& mesh = tunnelMesh;
    const uint32_t slot = static_cast<uint32_t>(SegmentOf(p.z, tunnelBuilder.spacing, mesh.nSegments));
    const uint32_t first = slot * 2 * mesh.nSegPoints;
    const Point2 point{p.x, p.y};
    bool inside = false;
    float nearest = INFINITY;
    for (uint32_t t = first; t < first + 2 * mesh.nSegPoints; ++t) {
        const Triangle& corners = mesh.triV[t];
        Point2 a, b;
        if (!CutAt(p.z, mesh.pos[corners.v[0]], mesh.pos[corners.v[1]], mesh.pos[corners.v[2]], a, b)) continue;
        if ((a.y > point.y) != (b.y > point.y) && point.x < a.x + (point.y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
        nearest = std::fmin(nearest, SegmentDistance(point, a, b));
    }
    return inside ? 0.0f : nearest;
}

}  // namespace harness
