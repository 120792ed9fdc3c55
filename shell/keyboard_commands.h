#pragma once
// Commands bound to single characters: quit, speed limit, field of view, the
// fog, lighting, information, axes and steering-swap toggles, and the popup
// menu. Every other character opens the help box.
#include <cstdint>

// Runs the command bound to the character in wParam's low byte. Returns 1
// after a command that renders, 0 after Escape or the help box.
int OnChar(uintptr_t wParam, intptr_t lParam);

// The speed limit scaled by `factor` and held within [0.01, 0.4]; the largest
// step follows it at once, the collision clearance from the next tunnel build on.
void ScaleSpeedLimit(float factor);

// The field of view scaled by `factor` and held within [0, 180], then the
// projection reloaded.
void ScaleFieldOfView(float factor);
