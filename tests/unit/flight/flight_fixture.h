#pragma once
// Puts the program-wide camera, flight state and devices back to a known
// start: at the origin, at rest, looking along +z, every device idle.
#include <gtest/gtest.h>

#include "flight/flight_model.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"
#include "shell/program_objects.h"

class FlightFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::stub::Reset();
        platform::stub::ResetInput();
        camera = Camera();
        camera.yaw = 180.0f;
        UpdateDirection();
        maxSpeed = 0.2f;
        maxStep = maxSpeed / 30.0f;
        speed = 0.0f;
        mouseIdle = joystickIdle = autopilot = true;
        joystickActiveTime = 0;
        mouseHistory = MouseHistory();
        keyboard = Keyboard();
        mouse = Mouse();
        joystick = Joystick();
        settings.SwapSteerUpDown = false;
        ClearChanged();
        frameTime = 1.0f / 60.0f;
    }

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
