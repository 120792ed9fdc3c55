// The sound stand-in: beeps are recorded in state().calls as "SimpleBeep".
#include "platform/sound.h"
#include "platform/stub/stub_control.h"

namespace platform {

void SimpleBeep() { stub::state().calls.emplace_back("SimpleBeep"); }

}  // namespace platform
