#pragma once
// The platform seam: every service of Windows that the program uses, as plain
// functions over plain data. The Windows build links the Win32 implementation
// (platform/win32); native builds link a stand-in (platform/stub) that records
// the calls and returns results scripted by the tests. Names differ from
// windows.h's macros (CreateWindow, PeekMessage, ...) so both can meet in one file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/constants.h"
#include "platform/screen_mode.h"

namespace platform {

using WindowHandle = void*;
using ConsoleHandle = void*;
using MenuHandle = void*;

// A window procedure in portable types: window, message, wParam, lParam.
using WindowProc = intptr_t (*)(WindowHandle, uint32_t, uintptr_t, intptr_t);

struct Message {
    WindowHandle window = nullptr;
    uint32_t id = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// --- Message boxes ---------------------------------------------------------
// Modal box with an OK button only; returns when the user dismisses it.
void ShowMessage(WindowHandle owner, const char* text, const char* caption);

// --- Process ---------------------------------------------------------------
// The process's full command line, program path included.
const char* CommandLine();

// The system's last error on this thread: its code and its own text for it
// (one line, in the system's language), as left by the call that just failed.
struct SystemError {
    uint32_t code = 0;
    std::string text;
};
SystemError LastSystemError();
// How every log line and message names one: "system error CODE: TEXT".
inline std::string SystemErrorText(const SystemError& error) {
    return "system error " + std::to_string(error.code) + ": " + error.text;
}

// --- Clocks ----------------------------------------------------------------
int64_t CounterFrequency();  // high-resolution counts per second, 0 without a counter
int64_t CounterValue();
uint32_t TickCount();  // milliseconds since system start, wrapping

// --- Console ---------------------------------------------------------------
struct ConsoleHandles {
    ConsoleHandle input = nullptr;
    ConsoleHandle output = nullptr;
    ConsoleHandle error = nullptr;
};
// Keeps a standard output the process already has (a console, a file, a pipe);
// otherwise, with `allocate`, allocates a console window. Returns the three
// standard handles (null ones where there is no output).
ConsoleHandles OpenConsole(bool allocate);
void WriteToConsole(ConsoleHandle output, const char* text, size_t length);
void CloseConsole();  // frees the console if OpenConsole allocated one
// A console program started from Explorer gets a console window of its own,
// which closes with the program and takes its output with it. There, this
// writes `prompt` and waits for Enter; from a command prompt, with the
// output redirected, or under Wine (a Unix terminal's console), it returns
// at once.
void HoldConsoleOpen(const char* prompt);

// --- Display modes ---------------------------------------------------------
ScreenMode DesktopMode();  // the screen's current width, height, bits and refresh rate
struct DisplayRequest {
    uint32_t fields = 0;  // display_field bits naming what the request sets
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bits = 0;
};
// Temporary (full-screen) change to the requested mode; a display_change result.
int ChangeDisplay(const DisplayRequest& request);
// Restores the mode stored in the registry.
void RestoreDisplay();
// Mode number `index` of the current display device; false past the last one.
bool EnumDisplayMode(uint32_t index, ScreenMode& mode);

// --- Windows ---------------------------------------------------------------
struct WindowClass {
    uint32_t style = 0;
    WindowProc procedure = nullptr;
    const char* className = nullptr;
    const char* iconName = nullptr;    // program resource, or null for the system icon
    const char* cursorName = nullptr;  // program resource, or null for the arrow
};
bool RegisterWindowClass(const WindowClass& windowClass);
Rect AdjustWindowRect(Rect client, uint32_t style);
WindowHandle MakeWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style, int32_t x,
                        int32_t y, int32_t width, int32_t height);
void ShowWindow(WindowHandle window, ShowCommand command);
void MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height);
void DestroyWindow(WindowHandle window);
void SetWindowTitle(WindowHandle window, const char* text);
void SetWindowStyles(WindowHandle window, uint32_t exStyle, uint32_t style);
void SetFocus(WindowHandle window);
void ValidateWindow(WindowHandle window);  // marks the whole client area painted
intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// --- Message loop ----------------------------------------------------------
bool NextMessage(Message& message);     // takes the next message without waiting
void Dispatch(const Message& message);  // translates keys to characters, then dispatches
void WaitMessage();                     // blocks until a message arrives
void PostQuit(int exitCode);

// --- GL --------------------------------------------------------------------
void FinishGL();  // waits until GL has finished drawing

}  // namespace platform
