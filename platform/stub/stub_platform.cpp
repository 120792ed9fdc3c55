// The platform stand-in: records every call and answers from the scripted state.
#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_desktop_control.h"
#include "platform/stub/stub_gl_context_control.h"

namespace platform {
namespace stub {
State& state() {
    static State instance;
    return instance;
}
void Reset() {
    state() = State{};
    ResetGLContext();
    ResetDesktop();
}
}  // namespace stub

namespace {
stub::State& S() { return stub::state(); }
void Record(const std::string& call) { S().calls.push_back(call); }
}  // namespace

void ShowMessage(WindowHandle owner, const char* text, const char* caption) {
    Record("ShowMessage");
    S().shownMessages.push_back({owner, text ? text : "", caption ? caption : ""});
}

const char* CommandLine() { return S().commandLine.c_str(); }

int64_t CounterFrequency() { return S().counterFrequency; }

int64_t CounterValue() {
    if (S().counterValues.empty()) return 0;
    int64_t value = S().counterValues.front();
    S().counterValues.pop_front();
    return value;
}

uint32_t TickCount() { return S().tickCount; }

SystemError LastSystemError() { return S().lastError; }

ConsoleHandles OpenConsole(bool allocate) {
    Record(allocate ? "OpenConsole" : "OpenConsole(no window)");
    return {reinterpret_cast<ConsoleHandle>(1), reinterpret_cast<ConsoleHandle>(2),
            reinterpret_cast<ConsoleHandle>(3)};
}

void WriteToConsole(ConsoleHandle, const char* text, size_t length) { S().consoleText.append(text, length); }

void CloseConsole() { Record("CloseConsole"); }
void HoldConsoleOpen(const char* prompt) { S().consoleHoldPrompt = prompt; }

ScreenMode DesktopMode() { return S().desktop; }

int ChangeDisplay(const DisplayRequest& request) {
    Record("ChangeDisplay");
    S().displayRequests.push_back(request);
    const auto& refused = S().refusedDepths;
    if (std::find(refused.begin(), refused.end(), request.bits) != refused.end()) return display_change::BadMode;
    return S().changeDisplayResult;
}

void RestoreDisplay() {
    Record("RestoreDisplay");
    ++S().restoreCount;
}

bool EnumDisplayMode(uint32_t index, ScreenMode& mode) {
    if (index >= S().displayModes.size()) return false;
    mode = S().displayModes[index];
    return true;
}

bool RegisterWindowClass(const WindowClass& windowClass) {
    Record("RegisterWindowClass");
    if (!S().registerClassSucceeds) return false;
    S().windowClass = windowClass;
    S().procedure = windowClass.procedure;
    return true;
}

// The frame sizes of Windows' default theme: a caption and a thin border for
// the overlapped style, nothing for a popup.
Rect AdjustWindowRect(Rect client, uint32_t style) {
    if ((style & style::OverlappedWindow) == style::OverlappedWindow)
        return {client.left - 4, client.top - 23, client.right + 4, client.bottom + 4};
    return client;
}

WindowHandle MakeWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style, int32_t x,
                        int32_t y, int32_t width, int32_t height) {
    Record("MakeWindow");
    S().createdWindows.push_back(
        {exStyle, className ? className : "", title ? title : "", style, x, y, width, height});
    if (!S().createWindowSucceeds) return nullptr;
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a made-up handle, compared by the tests and never dereferenced
    WindowHandle window = reinterpret_cast<WindowHandle>(S().lastWindow += 0x10);
    S().liveWindows.push_back(window);
    if (S().sendCreateMessage && S().procedure) S().procedure(window, msg::Create, 0, 0);
    return window;
}

void ShowWindow(WindowHandle, ShowCommand command) {
    Record(command == ShowCommand::Show ? "ShowWindow(show)" : "ShowWindow(minimize)");
}

void MoveWindow(WindowHandle, int32_t x, int32_t y, int32_t width, int32_t height) {
    Record("MoveWindow " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) + " " +
           std::to_string(height));
}

void DestroyWindow(WindowHandle window) {
    Record("DestroyWindow");
    auto& live = S().liveWindows;
    live.erase(std::remove(live.begin(), live.end(), window), live.end());
    if (S().procedure) S().procedure(window, msg::Destroy, 0, 0);
}

void SetWindowTitle(WindowHandle, const char* text) { S().titles.emplace_back(text ? text : ""); }

void SetWindowStyles(WindowHandle, uint32_t exStyle, uint32_t style) {
    Record("SetWindowStyles");
    S().styleChanges.push_back(exStyle);
    S().styleChanges.push_back(style);
}

void SetFocus(WindowHandle) { Record("SetFocus"); }

void ValidateWindow(WindowHandle) { Record("ValidateWindow"); }

intptr_t DefaultWindowProc(WindowHandle, uint32_t, uintptr_t, intptr_t) { return 0; }

bool NextMessage(Message& message) {
    if (S().messages.empty()) return false;
    message = S().messages.front();
    S().messages.pop_front();
    return true;
}

void Dispatch(const Message& message) {
    ++S().dispatched;
    if (S().procedure) S().procedure(message.window, message.id, message.wParam, message.lParam);
}

// A real wait would never end in a test: an empty queue ends the main loop
// with the exit code kWaitedOnEmptyQueue instead.
void WaitMessage() {
    Record("WaitMessage");
    if (S().messages.empty())
        S().messages.push_back({nullptr, msg::Quit, static_cast<uintptr_t>(stub::kWaitedOnEmptyQueue), 0});
}

void PostQuit(int exitCode) {
    Record("PostQuit");
    S().quitCodes.push_back(exitCode);
    S().messages.push_back({nullptr, msg::Quit, static_cast<uintptr_t>(exitCode), 0});
}

void FinishGL() { Record("FinishGL"); }

}  // namespace platform
