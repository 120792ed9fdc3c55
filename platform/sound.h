#pragma once
// Sound: the standard simple beep.

namespace platform {

void SimpleBeep();

}  // namespace platform
