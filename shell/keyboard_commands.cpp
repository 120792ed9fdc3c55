#include "shell/keyboard_commands.h"

#include "flight/projection.h"
#include "platform/gl_headers.h"
#include "platform/input.h"
#include "platform/ui.h"
#include "shell/frame.h"
#include "shell/info_boxes.h"
#include "shell/popup_menu.h"
#include "shell/program.h"
#include "shell/program_objects.h"

namespace {

constexpr int8_t kEscape = 27;
constexpr float kSlower = 0.75f;
constexpr float kFaster = 1.3333334f;  // 4 / 3
constexpr float kMinSpeedLimit = 0.01f;
constexpr float kMaxSpeedLimit = 0.4f;
constexpr float kNarrower = 0.98039216f;  // 1 / 1.02
constexpr float kWider = 1.02f;
constexpr float kMaxFieldOfView = 180.0f;

void SetCapability(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

// The popup menu at the client area's top-left corner, with the mouse free
// and the pointer shown while it is open.
void OpenPopupMenu() {
    platform::WindowHandle window = glWindow.hwnd;
    platform::Point corner = platform::ClientToScreen(window, {0, 0});
    mouse.Capture(false, window);
    platform::ReleaseMouse();
    platform::ShowPointer(true);
    if (popupMenu) platform::TrackPopupMenu(popupMenu, corner.x, corner.y, window);
    platform::ShowPointer(false);
    platform::CaptureMouse(window);
    mouse.Capture(true, window);
}

// Runs a command that changes what the next frame shows; false for a
// character without a binding.
bool RunRenderingCommand(char character) {
    switch (character) {
        case '-': ScaleSpeedLimit(kSlower); return true;
        case '=': ScaleSpeedLimit(kFaster); return true;
        case 'v': ScaleFieldOfView(kNarrower); return true;
        case 'V': ScaleFieldOfView(kWider); return true;
        case 'f':
            settings.fog = !settings.fog;
            SetCapability(GL_FOG, settings.fog);
            return true;
        case 'l':
            settings.lighting = !settings.lighting;
            SetCapability(GL_LIGHTING, settings.lighting);
            return true;
        case 'i': showInfo = !showInfo; return true;
        case 'o': showAxes = !showAxes; return true;
        case 'y': settings.SwapSteerUpDown = !settings.SwapSteerUpDown; return true;
        case 'm': OpenPopupMenu(); return true;
        // The help box promises it: the same switch as the menu's "texcoords".
        case 't': ToggleTexturing(); return true;
        default: return false;
    }
}

}  // namespace

void ScaleSpeedLimit(float factor) {
    float& limit = flight.maxSpeed;
    limit *= factor;
    if (limit < kMinSpeedLimit) limit = kMinSpeedLimit;
    if (limit > kMaxSpeedLimit) limit = kMaxSpeedLimit;
    flight.maxStep = collisionClearance = limit / kStepsPerSpeed;
}

void ScaleFieldOfView(float factor) {
    camera.fov *= factor;
    if (camera.fov < 0.0f) camera.fov = 0.0f;
    if (camera.fov > kMaxFieldOfView) camera.fov = kMaxFieldOfView;
    SetProjection(camera);
}

int OnChar(uintptr_t wParam, intptr_t) {
    // Codes of 128 and above are negative as signed bytes: unbound.
    int8_t character = static_cast<int8_t>(wParam & 0xFF);
    if (character == kEscape) {
        Quit();
        return 0;
    }
    if (!RunRenderingCommand(static_cast<char>(character))) {
        ShowHelp();
        return 0;
    }
    DrawFrame();
    return 1;
}
