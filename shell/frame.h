#pragma once
// One frame of the program, and the frame a command draws at once. Both work
// on the program-wide objects and hand each step what it reads and writes.
#include <cstdint>

#include "flight/flight_model.h"
#include "flight/render_frame.h"
#include "shell/joystick.h"
#include "shell/keyboard.h"
#include "shell/mouse.h"

// Runs one frame: the step, then the drawing.
void Tick();

// The frame without its drawing: frame time, flight step, tunnel upkeep (the
// camera held where the tunnel is generated), wrap-around and collision.
void StepFrame();

// Draws one frame from the program's current state (after a key, a menu
// command, a paint message).
void DrawFrame();

// What the flight step reads of the devices this frame; `now` is the tick count.
DeviceReadings ReadDevices(const Mouse& pointer, const Joystick& stick, const Keyboard& keys, bool swapUpDown,
                           uint32_t now);
