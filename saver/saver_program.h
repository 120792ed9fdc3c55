#pragma once
// orbalt.scr's spine: the command line decides between the screensaver over
// every monitor, its preview inside another program's window, and its
// settings; then start-up, the frame loop and the way out.
#include <cstdint>

#include "platform/platform.h"

constexpr const char* kSaverName = "orbalt";
constexpr const char* kSaverLogFileName = "orbalt_scr_log.txt";

// Runs the whole saver with the command-line text after the program name;
// returns the exit code: 0, or 2 for a command line it does not understand.
int RunSaver(const char* commandLineText);

// Ends the screensaver or its preview: every window closed, then the loop
// quits with exit code 0. May run more than once.
void EndSaver();

// The saver's window procedure, for every view's window.
intptr_t SaverWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
