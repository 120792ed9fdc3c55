#pragma once
// orbalt-bench: every drawing path of the tunnel measured against its bare
// loop in a window on the user's own GPU, with progress on the console and
// the figures in a results file (CSV, JSON or HTML by its name).
#include <cstdint>

#include "platform/platform.h"

// Exit codes: done; the user closed the window before the end; a bad
// argument (with the usage); GL or the results file failed (with the reason).
namespace bench_exit {
constexpr int Done = 0;
constexpr int Stopped = 1;
constexpr int BadArgument = 2;
constexpr int Failed = 3;
}  // namespace bench_exit

// The whole run from the command line's text after the program's name.
int RunBench(const char* commandLineText);

intptr_t BenchWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
