#pragma once
// A long flight through the default tunnel with seeded random input from all
// three devices at varying frame times, frame by frame as the program runs
// it. Shared by the soak test and the long-flight benchmark.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "flight/collision.h"
#include "flight/flight_model.h"
#include "flight/wrap_around.h"
#include "platform/stub/stub_control.h"
#include "shell/program.h"
#include "shell/program_objects.h"
#include "shell/window_proc.h"

namespace soak {

constexpr float kSpacing = 0.03125f;
constexpr float kCountsPerSecond = 1.0e7f;  // the stand-in's counter frequency

inline std::string SectionFile() { return std::string(ORBALT_SOURCE_DIR) + "/data/test.sct"; }

// Builds the default tunnel (256 sections of 64 points) around cameraZ.
inline bool BuildDefaultTunnel(float cameraZ) {
    if (!tunnelMesh.Init(64, 256)) return false;
    if (!tunnelBuilder.Create(&tunnelMesh, 256 / 2 - 6)) return false;
    if (!tunnelBuilder.Init(8, cameraZ, kSpacing, SectionFile().c_str())) return false;
    collisionState.clearance = collisionClearance;
    return true;
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
            Send(platform::msg::MouseMove, 0,
                 PointParam(mouse.clientCentre.x + dx, mouse.clientCentre.y + dy));
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
        if (frameTimeKind_ < 2) return 0.0f;                 // a timer that did not advance
        if (frameTimeKind_ < 4 && Chance(2)) return 4.0f;  // the machine slept
        if (frameTimeKind_ < 20) return 0.1f;                // below 30 frames per second
        return (14.0f + static_cast<float>(Uniform(0, 6))) / 1000.0f;
    }

    std::mt19937 random_;
    int episodeLeft_ = 0;
    bool mouseMoving_ = false, stickMoving_ = false;
    float stickX_ = 0.0f, stickY_ = 0.0f;
    int frameTimeKind_ = 50;
    int64_t counter_ = 0;
};

// Squared distance from p to the x-y-z bounding box of a triangle: no point
// of the triangle is nearer.
inline float BoxDistanceSquared(const Vector3& p, const Vector3& a, const Vector3& b, const Vector3& c) {
    auto gap = [](float v, float x, float y, float z) {
        float low = std::fmin(x, std::fmin(y, z)), high = std::fmax(x, std::fmax(y, z));
        return v < low ? low - v : (v > high ? v - high : 0.0f);
    };
    float gx = gap(p.x, a.x, b.x, c.x), gy = gap(p.y, a.y, b.y, c.y), gz = gap(p.z, a.z, b.z, c.z);
    return gx * gx + gy * gy + gz * gz;
}

// How far the position lies behind the wall of its segment: the depth behind
// the plane of the nearest triangle with area, 0 when in front of it. Every
// triangle of the segment is a candidate; those whose bounding box is farther
// than some corner of the segment cannot be the nearest and are skipped.
inline float DepthBehindWall(const Vector3& p) {
    const Orbalt2& mesh = tunnelMesh;
    const uint32_t slot = static_cast<uint32_t>(SegmentOf(p.z, tunnelBuilder.spacing, mesh.nSegments));
    const uint32_t first = slot * 2 * mesh.nSegPoints, count = 2 * mesh.nSegPoints;
    std::vector<float> bound(count);
    float cornerBest = INFINITY;
    for (uint32_t i = 0; i < count; ++i) {
        const Triangle& t = mesh.triV[first + i];
        const Vector3 &a = mesh.pos[t.v[0]], &b = mesh.pos[t.v[1]], &c = mesh.pos[t.v[2]];
        bound[i] = BoxDistanceSquared(p, a, b, c);
        Vector3 d{p.x - a.x, p.y - a.y, p.z - a.z};
        cornerBest = std::fmin(cornerBest, d.SquaredLength());
    }
    float best = INFINITY, depth = 0.0f;
    for (uint32_t i = 0; i < count; ++i) {
        const Vector3& n = mesh.triN[first + i];
        if (bound[i] > cornerBest || !(n.SquaredLength() > 0.0f)) continue;
        const Triangle& t = mesh.triV[first + i];
        Vector3 q;
        ClosestPointOnTriangle(mesh.pos[t.v[0]], mesh.pos[t.v[1]], mesh.pos[t.v[2]], p, q);
        Vector3 d{p.x - q.x, p.y - q.y, p.z - q.z};
        float distance = d.SquaredLength();
        if (distance < best) {
            best = distance;
            float height = d.x * n.x + d.y * n.y + d.z * n.z;
            depth = height < 0.0f ? -height : 0.0f;
        }
    }
    return depth;
}

}  // namespace soak
