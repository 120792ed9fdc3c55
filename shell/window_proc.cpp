#include "shell/window_proc.h"

#include "flight/projection.h"
#include "platform/input.h"
#include "platform/ui.h"
#include "shell/frame.h"
#include "shell/keyboard_commands.h"
#include "shell/popup_menu.h"
#include "shell/program.h"
#include "shell/program_objects.h"

using namespace platform;

namespace {

void OnCreate(WindowHandle window, uintptr_t wParam, intptr_t lParam) {
    if (!glWindow.OnCREATE(window, wParam, lParam)) {
        ShowMessage(nullptr, GLwindow::status.Message(), kProgramName);
        PostQuit(0);
    }
    if (joystickPresent) joystick.Capture(true, window);
    // Only the menu's first submenu is kept; a missing resource leaves none.
    popupMenu = LoadPopupMenu(kPopupMenuName);
}

// The window's rendering context is deleted with the window: what was made
// in it goes first, while it is still current.
void OnDestroy(WindowHandle window, uintptr_t wParam, intptr_t lParam) {
    if (glWindow.hglrc) contextResources.Release();
    glWindow.OnDESTROY(window, wParam, lParam);
    if (joystickPresent) joystick.Capture(false, window);
}

// Relative mouse mode with a hidden pointer holds exactly while the window is active.
void OnActivate(WindowHandle window, uintptr_t wParam, intptr_t lParam) {
    glWindow.OnACTIVATE(window, wParam, lParam);
    if (glWindow.active) {
        ShowPointer(false);
        CaptureMouse(window);
        mouse.Capture(true, window);
    } else {
        mouse.Capture(false, window);
        ReleaseMouse();
        ShowPointer(true);
    }
}
}  // namespace

intptr_t WndProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case msg::Create: OnCreate(window, wParam, lParam); return 0;
        case msg::Destroy: OnDestroy(window, wParam, lParam); return 0;
        case msg::Move: glWindow.OnMOVE(window, wParam, lParam); return 0;
        case msg::Size:
            glWindow.OnSIZE(window, wParam, lParam);
            ResizeViewport(camera, glWindow.width, glWindow.height);
            return 0;
        case msg::Activate: OnActivate(window, wParam, lParam); return 0;
        case msg::ActivateApp: glWindow.OnACTIVATEAPP(window, wParam, lParam); return 0;
        case msg::Paint:
            DrawFrame();
            ValidateWindow(window);
            return 0;
        case msg::Close: Quit(); return 0;
        case msg::EraseBackground: return 0;
        // Key messages are consumed, so the system's own reactions (Alt+F4
        // closing the window among them) never happen.
        case msg::KeyDown:
        case msg::SysKeyDown: keyboard.KeyDown(wParam, lParam); return 0;
        case msg::KeyUp:
        case msg::SysKeyUp: keyboard.KeyUp(wParam, lParam); return 0;
        case msg::Char: OnChar(wParam, lParam); return 0;
        case msg::Command: OnCommand(wParam, lParam); return 0;
        case msg::QueryNewPalette: return glWindow.OnQUERYNEWPALETTE();
        case msg::PaletteChanged: glWindow.OnPALETTECHANGED(wParam); return 0;
        case msg::MouseMove: mouse.Move(wParam, lParam); return 0;
        case msg::LeftButtonDown: mouse.LeftDown(wParam, lParam); return 0;
        case msg::LeftButtonUp: mouse.LeftUp(wParam, lParam); return 0;
        case msg::RightButtonDown: mouse.RightDown(wParam, lParam); return 0;
        case msg::RightButtonUp: mouse.RightUp(wParam, lParam); return 0;
        case msg::Joy1Move: joystick.Move(wParam, lParam); return 0;
        case msg::Joy1ButtonDown:
        case msg::Joy1ButtonUp: joystick.Buttons(wParam, lParam); return 0;
        default: return DefaultWindowProc(window, message, wParam, lParam);
    }
}
