#pragma once
// The saver's program-wide objects. They are defined in one file, in the
// order they must be constructed (and, reversed, destroyed), beside the one
// function that puts them all back to their starting state.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "flight/frame_timer.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "saver/exit_watch.h"
#include "saver/saver_settings.h"
#include "saver/saver_view.h"

extern float saverSecondsPerCount;
extern Console saverConsole;       // a redirected output only: a saver opens no console window
extern std::FILE* saverLog;        // null when the log could not be opened
extern std::string saverFolder;    // the user's folder of the saver's files, with its separator
extern std::string programFolder;  // the folder orbalt.scr lives in, with its separator
extern SaverSettings saverSettings;
extern std::vector<std::unique_ptr<SaverView>> views;
extern SaverView* viewBeingMade;  // the view whose window is being created
extern ExitWatch exitWatch;
extern bool endOnInput;  // the screensaver proper; a preview ignores input
extern platform::WindowHandle previewParent;
extern FrameTimer saverTimer;

// Puts every object above back to the state it starts the program in, as
// tests need between cases; the views' windows are closed as at the end.
void ResetSaverObjects();
