#pragma once
// Commands bound to single characters.
#include <cstdint>

// Runs the command bound to the character in wParam's low byte. Returns 1
// after a command that renders, 0 otherwise.
int OnChar(uintptr_t wParam, intptr_t lParam);
