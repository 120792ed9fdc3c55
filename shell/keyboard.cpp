#include "shell/keyboard.h"

namespace {
// Bit 30 of a key message's lParam: the key was already down before this
// message, so the message is the keyboard's auto-repeat.
constexpr uintptr_t kPreviousStateBit = uintptr_t{1} << 30;
}  // namespace

Keyboard::Keyboard() : keys(kKeyCount) {}

// Virtual-key codes never exceed 0xFE; a larger wParam is ignored rather than
// written past the table.
int Keyboard::KeyDown(uintptr_t virtualKey, intptr_t lParam) {
    if (static_cast<uintptr_t>(lParam) & kPreviousStateBit) return 2;
    if (virtualKey >= kKeyCount) return 0;
    keys[virtualKey].down = true;
    changed = true;
    return 1;
}

int Keyboard::KeyUp(uintptr_t virtualKey, intptr_t) {
    if (virtualKey >= kKeyCount) return 0;
    keys[virtualKey].down = false;
    changed = true;
    return 0;
}

bool Keyboard::Down(uint32_t virtualKey) const { return virtualKey < kKeyCount && keys[virtualKey].down; }
