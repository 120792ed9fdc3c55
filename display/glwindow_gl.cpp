// The GL side of GLwindow: what the window's creation and destruction do to
// its device context and rendering context.
#include "display/glwindow.h"

int GLwindow::OnCREATE(platform::WindowHandle window, uintptr_t, intptr_t) {
    hwnd = window;
    destroying = false;
    // The pixel format, GL context and palette are made here once the window
    // has a GL side; until then creation always succeeds.
    return 1;
}

int GLwindow::OnDESTROY(platform::WindowHandle, uintptr_t, intptr_t) {
    hwnd = nullptr;
    return 1;
}
