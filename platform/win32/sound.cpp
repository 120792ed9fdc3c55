// The simple beep on Win32.
#include "platform/win32/win32.h"

#include "platform/sound.h"

namespace platform {

void SimpleBeep() { MessageBeep(0xFFFFFFFF); }

}  // namespace platform
