#pragma once
// What a program needs of the desktop beyond a window of its own (a
// screensaver above all): the monitors, windows inside another program's
// window, the pointer's position, one running instance, a folder for the
// user's own files, and waiting for messages with a time limit.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/platform.h"

namespace platform {

// --- Monitors ---------------------------------------------------------------
struct Monitor {
    Rect area;  // on the virtual screen: left or top may be negative
    bool primary = false;
};
// Every display monitor, in the system's order; at least one.
std::vector<Monitor> Monitors();

// --- Windows of other programs ------------------------------------------------
// A borderless child window of `parent` at (x, y) of its client area.
WindowHandle MakeChildWindow(const char* className, WindowHandle parent, int32_t x, int32_t y, int32_t width,
                             int32_t height);
// True while the window exists (another program's window may go at any time).
bool WindowExists(WindowHandle window);

// --- Pointer ------------------------------------------------------------------
Point PointerPosition();  // in screen coordinates

// --- Process ------------------------------------------------------------------
// Claims the named instance for this process; false when another process
// holds it already. The claim ends with the process.
bool ClaimInstance(const char* name);
// The folder of the user's application data (%APPDATA%), without a trailing
// separator; empty when there is none.
std::string UserDataFolder();
// Makes the folder unless it exists; true when it exists afterwards.
bool MakeFolder(const std::string& path);
// The separator between a folder and a name in the platform's paths.
#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// --- Message loop ---------------------------------------------------------------
// Blocks until a message arrives or `milliseconds` pass, whichever is first.
void WaitMessageFor(uint32_t milliseconds);

}  // namespace platform
