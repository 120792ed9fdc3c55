#pragma once
// Each test starts with the program-wide flight state reset (see
// harness::ResetFlightState); tests that build a tunnel release it afterwards.
#include <gtest/gtest.h>

#include "flight/flight_model.h"
#include "support/flight_harness.h"

class FlightFixture : public ::testing::Test {
protected:
    void SetUp() override { harness::ResetFlightState(); }
    void TearDown() override { harness::ReleaseTunnel(); }

    static void ClearChanged() {
        mouse.changed = false;
        keyboard.changed = false;
        joystick.changed = false;
    }

    // One frame as the tick and the rendering run it: flight step, flags
    // cleared, direction recomputed.
    static void Frame(int count = 1) {
        for (int i = 0; i < count; ++i) {
            UpdateFlight();
            ClearChanged();
            UpdateDirection();
        }
    }

    // A captured mouse movement by (dx, dy) pixels from the client centre.
    static void MoveMouse(int dx, int dy) {
        if (!mouse.captured) mouse.Capture(true, nullptr);
        int x = mouse.clientCentre.x + dx, y = mouse.clientCentre.y + dy;
        mouse.Move(0, static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                            static_cast<uint32_t>(x & 0xFFFF)));
    }

    // The stick at (x, y) in -1 ... +1, reported at the current tick count.
    static void MoveStick(float x, float y) {
        auto raw = [](float v) { return static_cast<uint32_t>((v + 1.0f) * 0.5f * 65535.0f + 0.5f); };
        joystick.Move(0, static_cast<intptr_t>((raw(y) << 16) | raw(x)));
    }
};
