#pragma once
// The screensaver command line, as Windows and its Screen Saver Settings page
// give it: `/s` runs the saver, `/p HWND` (or `/p:HWND`) previews it inside
// that window, `/c` or `/c:HWND` (or nothing at all) opens its settings,
// owned by that window when one is named. Letters in either case, after `/`
// or `-`.
#include "platform/platform.h"

enum class SaverMode { Run, Preview, Configure, Invalid };

struct SaverCommand {
    SaverMode mode = SaverMode::Invalid;
    platform::WindowHandle window = nullptr;  // the preview's parent, or the settings' owner
};

// The command from the text after the program name. A preview without a
// window, or any other text, is Invalid.
SaverCommand ParseSaverCommandLine(const char* text);

// What the saver says of a command line it does not understand.
constexpr const char* kSaverUsage =
    "orbalt.scr accepts:\n"
    "  /s\t\trun the screensaver\n"
    "  /p HWND\tpreview it inside that window\n"
    "  /c\t\tchange its settings\n"
    "(as /s, /p:HWND, /c:HWND, in either case, with / or -)";
