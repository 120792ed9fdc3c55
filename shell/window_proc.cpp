#include "shell/window_proc.h"

#include "flight/projection.h"
#include "flight/render_frame.h"
#include "platform/ui.h"
#include "shell/keyboard_commands.h"
#include "shell/popup_menu.h"
#include "shell/program.h"
#include "shell/program_objects.h"

using namespace platform;

namespace {
constexpr const char* kCaption = "orbalt";

void OnCreate(WindowHandle window, uintptr_t wParam, intptr_t lParam) {
    if (!glWindow.OnCREATE(window, wParam, lParam)) {
        ShowMessage(nullptr, GLwindow::status.Message(), kCaption);
        PostQuit(0);
    }
    // Joystick capture starts here once the input devices exist.
    // Only the menu's first submenu is kept; a missing resource leaves none.
    popupMenu = LoadPopupMenu(kPopupMenuName);
}
}  // namespace

intptr_t WndProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case msg::Create: OnCreate(window, wParam, lParam); return 0;
        case msg::Destroy: glWindow.OnDESTROY(window, wParam, lParam); return 0;
        case msg::Move: glWindow.OnMOVE(window, wParam, lParam); return 0;
        case msg::Size:
            glWindow.OnSIZE(window, wParam, lParam);
            ResizeViewport(glWindow.width, glWindow.height);
            return 0;
        case msg::Activate: glWindow.OnACTIVATE(window, wParam, lParam); return 0;
        case msg::ActivateApp: glWindow.OnACTIVATEAPP(window, wParam, lParam); return 0;
        case msg::Paint:
            RenderFrame();
            ValidateWindow(window);
            return 0;
        case msg::Close: Quit(); return 0;
        case msg::EraseBackground: return 0;
        // Key messages are consumed, so the system's own reactions (Alt+F4
        // closing the window among them) never happen.
        case msg::KeyDown:
        case msg::SysKeyDown:
        case msg::KeyUp:
        case msg::SysKeyUp: return 0;
        case msg::Char: OnChar(wParam, lParam); return 0;
        case msg::QueryNewPalette: return glWindow.OnQUERYNEWPALETTE();
        case msg::PaletteChanged: glWindow.OnPALETTECHANGED(wParam); return 0;
        default: return DefaultWindowProc(window, message, wParam, lParam);
    }
}
