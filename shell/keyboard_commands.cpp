#include "shell/keyboard_commands.h"

#include "shell/program.h"

namespace {
constexpr int8_t kEscape = 27;
}

int OnChar(uintptr_t wParam, intptr_t) {
    int8_t character = static_cast<int8_t>(wParam & 0xFF);
    if (character == kEscape) {
        Quit();
        return 0;
    }
    return 0;
}
