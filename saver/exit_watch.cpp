#include "saver/exit_watch.h"

#include <cstdlib>

bool ExitWatch::Ends(uint32_t message, uintptr_t wParam, platform::Point pointer) const {
    namespace msg = platform::msg;
    switch (message) {
        case msg::KeyDown:
        case msg::SysKeyDown:
        case msg::LeftButtonDown:
        case msg::RightButtonDown:
        case msg::MiddleButtonDown: return true;
        case msg::MouseMove:
            return std::abs(pointer.x - start.x) > kPointerSlack || std::abs(pointer.y - start.y) > kPointerSlack;
        case msg::ActivateApp: return wParam == 0;
        default: return false;
    }
}
