#include "saver/saver_program.h"

#include <ctime>
#include <string>

#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/gl_context.h"
#include "platform/program_directory.h"
#include "saver/saver_command_line.h"
#include "saver/saver_objects.h"
#include "saver/settings_dialog.h"

using namespace platform;

namespace {
constexpr const char* kInstanceName = "orbalt.scr flying";
constexpr const char* kSectionFileName = "test.sct";
constexpr const char* kTextureFileName = "texture.bmp";
constexpr const char* kIconName = "Orbalt_Icon";

// The tunnel's complaints go to the log: a saver shows no boxes.
void LogTunnelMessage(WindowHandle, const char* text, const char* caption) {
    if (saverLog) std::fprintf(saverLog, "%s: %s \n", caption, text);
}

// The screensaver starts the log afresh; a preview or the settings, which
// Windows may start while the saver runs, add to it instead of cutting it.
void OpenLog(bool afresh) {
    if (saverFolder.empty()) return;
    saverLog = OpenFile((saverFolder + kSaverLogFileName).c_str(), afresh ? "w" : "a");
    if (!saverLog) return;
    const std::time_t now = std::time(nullptr);
    const char* text = std::ctime(&now);
    std::fprintf(saverLog, "orbalt.scr log, %s", text ? text : "(time unknown)\n");
    GLwindow::status.log = saverLog;
}

void CloseLog() {
    GLwindow::status.log = nullptr;
    if (!saverLog) return;
    std::fclose(saverLog);
    saverLog = nullptr;
}

// Finds the saver's folders and reads its settings, noting in the log what
// the file held that could not be used.
void LoadSettings(bool afresh) {
    ProgramDirectory(programFolder);
    const std::string userFolder = UserDataFolder();
    if (!userFolder.empty() && MakeFolder(userFolder + kPathSeparator + kSaverFolderName))
        saverFolder = userFolder + kPathSeparator + kSaverFolderName + kPathSeparator;
    OpenLog(afresh);
    std::vector<std::string> notes;
    saverSettings = ReadSaverSettings(saverFolder + kSaverSettingsFileName, notes);
    for (const std::string& note : notes)
        if (saverLog) std::fprintf(saverLog, "settings: %s \n", note.c_str());
}

ViewRecipe Recipe() {
    return ViewRecipe{saverSettings,
                      programFolder + kSectionFileName,
                      programFolder + kTextureFileName,
                      TunnelMessages{nullptr, kSaverName, LogTunnelMessage},
                      saverConsole,
                      saverLog};
}

// A new view whose window the `make` call creates; the window procedure finds
// the view by `viewBeingMade` until the window's handle is known.
template <typename MakeWindow>
SaverView* MakeView(MakeWindow make) {
    views.push_back(std::make_unique<SaverView>());
    SaverView& view = *views.back();
    view.window.log = saverLog;
    view.window.SetTitle(kSaverName);
    if (views.size() == 1 && !view.window.Init(SaverWindowProc, kSaverName, kIconName, nullptr)) return nullptr;
    viewBeingMade = &view;
    const int made = make(view.window);
    viewBeingMade = nullptr;
    if (!made || !view.window.hglrc) return nullptr;
    return PrepareView(view, Recipe()) ? &view : nullptr;
}

std::vector<Monitor> ChosenMonitors() {
    std::vector<Monitor> monitors = Monitors();
    for (const Monitor& monitor : monitors)
        if (saverLog)
            std::fprintf(saverLog, "monitor %d, %d, %d x %d%s \n", monitor.area.left, monitor.area.top,
                         monitor.area.right - monitor.area.left, monitor.area.bottom - monitor.area.top,
                         monitor.primary ? ", primary" : "");
    if (saverSettings.allMonitors || monitors.empty()) return monitors;
    for (const Monitor& monitor : monitors)
        if (monitor.primary) return {monitor};
    return {monitors.front()};
}

bool CoverMonitors() {
    const std::vector<Monitor> chosen = ChosenMonitors();
    if (chosen.empty()) {
        if (saverLog) std::fprintf(saverLog, "no monitor to cover \n");
        return false;
    }
    for (const Monitor& monitor : chosen)
        if (!MakeView([&monitor](GLwindow& window) { return window.Cover(monitor.area); })) return false;
    ShowPointer(false);
    exitWatch.start = PointerPosition();
    endOnInput = true;
    return true;
}

bool EmbedInPreview(WindowHandle parent) {
    previewParent = parent;
    return MakeView([parent](GLwindow& window) { return window.Embed(parent); }) != nullptr;
}

// The preview's window fills the parent's client area, whatever size it takes.
void FollowParent() {
    SaverView& view = *views.front();
    const Rect client = ClientRect(previewParent);
    if (client.right == view.window.width && client.bottom == view.window.height) return;
    MoveWindow(view.window.hwnd, 0, 0, client.right, client.bottom);
}

// Waits out the rest of the frame under the frame-rate cap, answering
// messages meanwhile; a frame already long enough waits for nothing.
void HoldFrameRate(int64_t frameStart) {
    if (saverSettings.frameRateCap <= 0) return;
    const double frameSeconds = 1.0 / saverSettings.frameRateCap;
    const double spent = static_cast<double>(CounterValue() - frameStart) * saverSecondsPerCount;
    const double left = frameSeconds - spent;
    if (left >= 0.001) WaitMessageFor(static_cast<uint32_t>(left * 1000.0));
}

int FlyViews() {
    for (;;) {
        Message message;
        while (NextMessage(message)) {
            if (message.id == msg::Quit) return static_cast<int>(message.wParam);
            Dispatch(message);
        }
        if (previewParent) {
            // The Screen Saver Settings page closed: nobody is left to look.
            if (!WindowExists(previewParent)) {
                EndSaver();
                continue;
            }
            FollowParent();
        }
        const int64_t frameStart = CounterValue();
        const float frameTime = saverTimer.Advance(frameStart, saverSecondsPerCount);
        for (const auto& view : views) DrawViewFrame(*view, saverSettings, frameTime);
        HoldFrameRate(frameStart);
    }
}

SaverView* ViewOf(WindowHandle window) {
    for (const auto& view : views)
        if (view->window.hwnd == window) return view.get();
    return viewBeingMade;
}

void DestroyView(SaverView& view, WindowHandle window, uintptr_t wParam, intptr_t lParam) {
    if (view.window.hglrc && MakeCurrent(view.window.hdc, view.window.hglrc)) {
        view.mesh.SetDisplayLists(false);
        view.context.Release();
    }
    view.window.OnDESTROY(window, wParam, lParam);
}

int Fly(bool made) {
    const int code = made ? FlyViews() : 0;
    if (!made) EndSaver();
    if (endOnInput) ShowPointer(true);
    CloseLog();
    return code;
}

}  // namespace

int RunSaver(const char* commandLineText) {
    const SaverCommand command = ParseSaverCommandLine(commandLineText);
    switch (command.mode) {
        case SaverMode::Invalid: ShowMessage(nullptr, kSaverUsage, kSaverName); return 2;
        case SaverMode::Configure: {
            LoadSettings(false);
            const int code = RunSettingsDialog(command.window);
            CloseLog();
            return code;
        }
        case SaverMode::Run:
            // A second saver while one runs would only cover the first.
            if (!ClaimInstance(kInstanceName)) return 0;
            LoadSettings(true);
            return Fly(CoverMonitors());
        case SaverMode::Preview: LoadSettings(false); return Fly(EmbedInPreview(command.window));
    }
    return 2;
}

void EndSaver() {
    for (const auto& view : views) view->window.Close();
    PostQuit(0);
}

intptr_t SaverWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    SaverView* view = ViewOf(window);
    if (!view) return DefaultWindowProc(window, message, wParam, lParam);
    if (endOnInput && exitWatch.Ends(message, wParam, PointerPosition())) {
        EndSaver();
        return 0;
    }
    switch (message) {
        case msg::Create:
            if (!view->window.OnCREATE(window, wParam, lParam) && saverLog)
                std::fprintf(saverLog, "%s \n", GLwindow::status.Message());
            return 0;
        case msg::Destroy: DestroyView(*view, window, wParam, lParam); return 0;
        case msg::Size:
            view->window.OnSIZE(window, wParam, lParam);
            ResizeView(*view, view->window.width, view->window.height);
            return 0;
        case msg::Close: EndSaver(); return 0;
        case msg::EraseBackground: return 0;
        case msg::Paint: ValidateWindow(window); return 0;
        default: return DefaultWindowProc(window, message, wParam, lParam);
    }
}
