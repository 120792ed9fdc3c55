#pragma once
// How the tunnel reports a failure: a message box with an OK button only,
// owned by the program's window. The tunnel knows no window of its own; the
// shell fills in the owner and the caption, and a tool without windows puts
// its own printer in place of the box.
#include "platform/platform.h"

struct TunnelMessages {
    using ShowFunction = void (*)(platform::WindowHandle owner, const char* text, const char* caption);

    platform::WindowHandle owner = nullptr;
    const char* caption = "";  // of the builder's boxes; the section reader names itself
    ShowFunction show = platform::ShowMessage;

    void Show(const char* text) const { show(owner, text, caption); }
    void Show(const char* text, const char* ownCaption) const { show(owner, text, ownCaption); }
};
