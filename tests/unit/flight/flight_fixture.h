#pragma once
// Each flight test owns what a flight step reads and writes: the three
// devices (driven through their message handlers, as the window procedure
// drives them), the flight state and the camera, all as the program starts
// them, with the camera turned to look along +z.
#include <gtest/gtest.h>

#include "flight/flight_model.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"
#include "shell/frame.h"

class FlightFixture : public ::testing::Test {
protected:
    void SetUp() override {
        platform::stub::Reset();
        platform::stub::ResetInput();
        camera.yaw = 180.0f;
        UpdateDirection(camera);
        ClearChanged();
    }

    void ClearChanged() {
        mouse.changed = false;
        keyboard.changed = false;
        joystick.changed = false;
    }

    // One frame as the tick and the rendering run it: flight step, flags
    // cleared, direction recomputed.
    void Frame(int count = 1) {
        for (int i = 0; i < count; ++i) {
            const uint32_t now = platform::stub::state().tickCount;
            UpdateFlight(ReadDevices(mouse, joystick, keyboard, swapUpDown, now), frameTime, flight, camera);
            ClearChanged();
            UpdateDirection(camera);
        }
    }

    // A captured mouse movement by (dx, dy) pixels from the client centre.
    void MoveMouse(int dx, int dy) {
        if (!mouse.captured) mouse.Capture(true, nullptr);
        int x = mouse.clientCentre.x + dx, y = mouse.clientCentre.y + dy;
        mouse.Move(0, static_cast<intptr_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                                            static_cast<uint32_t>(x & 0xFFFF)));
    }

    // The stick at (x, y) in -1 ... +1, reported at the current tick count.
    void MoveStick(float x, float y) {
        auto raw = [](float v) { return static_cast<uint32_t>((v + 1.0f) * 0.5f * 65535.0f + 0.5f); };
        joystick.Move(0, static_cast<intptr_t>((raw(y) << 16) | raw(x)));
    }

    Mouse mouse;
    Keyboard keyboard;
    Joystick joystick;
    FlightState flight;
    Camera camera;
    bool swapUpDown = false;
    float frameTime = 1.0f / 60.0f;
};
