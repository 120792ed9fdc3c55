#include "shell/program.h"

#include <ctime>
#include <string>

#include "display/texture.h"
#include "flight/render_state.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "platform/utf8.h"
#include "shell/command_line.h"
#include "shell/frame.h"
#include "shell/info_boxes.h"
#include "shell/popup_menu.h"
#include "shell/program_objects.h"
#include "shell/window_proc.h"
#include "tunnel/init_orbalt.h"
#include "tunnel/standard_tunnel.h"

using namespace platform;

namespace {
constexpr const char* kLogFileName = "orbalt_log.txt";
constexpr const char* kIconName = "Orbalt_Icon";
constexpr const char* kTextureFileName = "texture.bmp";

// Runs on every way out of the entry point: the display mode is restored
// whether or not it was ever changed, and the log is closed complete.
struct ExitCleanup {
    ExitCleanup() = default;
    ExitCleanup(const ExitCleanup&) = delete;
    ExitCleanup& operator=(const ExitCleanup&) = delete;
    ~ExitCleanup() {
        RestoreDisplay();
        if (logFile) {
            std::fflush(logFile);
            std::fclose(logFile);
            logFile = nullptr;
            glWindow.log = nullptr;
            GLwindow::status.log = nullptr;
        }
    }
};

// The standard 26-character text of the calendar time, ending with a newline.
std::string TimeText() {
    std::time_t now = std::time(nullptr);
    const char* text = std::ctime(&now);
    return text ? text : "(time unknown)\n";
}

void OpenLog(const std::string& timeText) {
    logFile = OpenFile((programDirectory + kLogFileName).c_str(), "w");
    if (!logFile) return;
    std::fprintf(logFile, "orbalt log, %s", timeText.c_str());
    std::fprintf(logFile, "path: %s \n\n", programDirectory.c_str());
}

int OpenWindow() {
    if (!glWindow.Init(WndProc, kProgramName, kIconName, nullptr)) return 0;
    if (settings.FullScreen) {
        ScreenMode mode{static_cast<uint32_t>(settings.XResolution), static_cast<uint32_t>(settings.YResolution),
                        16, 0};
        return glWindow.FullScreen(mode);
    }
    return glWindow.Windowed(settings.XResolution, settings.YResolution);
}

// The section file named on the command line, else test.sct beside the program.
bool FindSectionPath(const char* commandLineText) {
    if (!SectionPathFromCommandLine(commandLineText, sectionPath))
        sectionPath = programDirectory + kDefaultSectionFile;
    if (CountCharacters(sectionPath) <= kMaxSectionPath) return true;
    std::string text =
        "the section file path is longer than " + std::to_string(kMaxSectionPath) + " characters: " + sectionPath;
    ShowMessage(glWindow.hwnd, text.c_str(), kProgramName);
    return false;
}

// A file the program could not open gets a line of its own in the log, with
// the system's reason.
void LogOpenFailure(const std::string& path, const OpenFailure& failure) {
    if (logFile && failure.failed) std::fprintf(logFile, "%s \n\n", OpenFailureText(path, failure).c_str());
}

// The configuration file over the defaults. Without one the program runs on
// its defaults, and the log says why the file could not be read.
void ReadConfiguration() {
    const std::string path = programDirectory + kConfigFileName;
    if (ReadConfig(settings, tunnelParams, path.c_str())) return;
    LogOpenFailure(path, OpenFailure{true, LastSystemError()});
}

// The texture beside the program; a file that cannot be opened leaves its
// reason in the log.
void LoadTexture() {
    const std::string path = programDirectory + kTextureFileName;
    OpenFailure failure;
    textureName = InitTexture(path.c_str(), console, logFile, &failure);
    LogOpenFailure(path, failure);
}

// The start-up trail: a log that stops short shows how far start-up got.
void LogStartUp(const char* stage) {
    if (!logFile) return;
    std::fprintf(logFile, "start-up: %s \n\n", stage);
    std::fflush(logFile);
}

int RunMainLoop() {
    for (;;) {
        Message message;
        if (NextMessage(message)) {
            if (message.id == msg::Quit) return static_cast<int>(message.wParam);
            Dispatch(message);
        } else if (glWindow.active) {
            Tick();
        } else if (tunnelBuilder.Building()) {
            // An inactive window waits for messages, but only once its new
            // tunnel is whole and shown.
            if (ContinueTunnelBuild({tunnelMesh, tunnelBuilder})) DrawFrame();
        } else {
            WaitMessage();
        }
    }
}
}  // namespace

int RunProgram(const char* commandLineText) {
    ExitCleanup cleanup;
    ShowAbout();
    if (!ProgramDirectory(programDirectory)) {
        std::string text =
            "the program directory is longer than " + std::to_string(kMaxProgramDirectory) + " characters";
        ShowMessage(nullptr, text.c_str(), kProgramName);
        return 0;
    }
    std::string timeText = TimeText();
    OpenLog(timeText);
    console.Printf("orbalt console, %s \n", timeText.c_str());
    glWindow.log = logFile;
    GLwindow::status.log = logFile;
    glWindow.EnumScreenModes();
    joystickPresent = Joystick::Present();
    StoreDefaults(settings);
    ReadConfiguration();

    if (!OpenWindow()) {
        ShowMessage(nullptr, GLwindow::status.Message(), kProgramName);
        return 0;
    }
    LogStartUp(glWindow.hglrc ? "window, pixel format and rendering context made" : "window made, no context");
    if (popupMenu) CheckMenuItems(popupMenu, settings);
    InitRenderState(RenderStateOptions{settings.lighting, settings.fog, settings.depthTest}, glWindow, camera);
    contextResources.Acquire();
    ReportExtensions(contextResources.extensions, console);
    LogStartUp(contextResources.extensions.arrayLock.lock ? "extensions looked up, array lock found"
                                                          : "extensions looked up, no array lock");
    LoadTexture();
    LogStartUp(textureName ? "texture uploaded" : "no texture");
    if (!FindSectionPath(commandLineText) || !BuildTunnelFromSettings()) Quit();
    LogStartUp(tunnelBuilder.Ready() ? "tunnel built" : "tunnel build begun");
    return RunMainLoop();
}

int BuildTunnelFromSettings() {
    TunnelRequest request;
    request.params = tunnelParams;
    request.drawing = DrawingOptions{
        settings.renderMode, settings.renderMethod,
        settings.normals,    settings.colors,
        settings.texcoords,  settings.LockArrays ? contextResources.extensions.arrayLock : ArrayLock{}};
    request.sectionPath = sectionPath.c_str();
    request.cameraZ = camera.position.z;
    tunnelMessages.owner = glWindow.hwnd;  // the window may have been made anew since the last build
    OpenFailure sectionFailure;
    TunnelMessages messages = tunnelMessages;
    messages.openFailure = &sectionFailure;
    if (!InitOrbalt({tunnelMesh, tunnelBuilder}, request, messages, console)) {
        LogOpenFailure(sectionPath, sectionFailure);
        return 0;
    }
    // The collision keeps the clearance the speed limit had when the tunnel was built.
    collisionState.clearance = collisionClearance;
    return 1;
}

void Quit() {
    if (popupMenu) {
        DestroyMenu(popupMenu);
        popupMenu = nullptr;
    }
    glWindow.Close();
    PostQuit(0);
}
