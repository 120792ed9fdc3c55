#pragma once
// How the tunnel reports a failure: a message box with an OK button only,
// owned by the program's window. The tunnel knows no window of its own; the
// shell fills in the owner and the caption, and a tool without windows puts
// its own printer in place of the box. A section file that cannot be opened
// is also noted, with the system's reason, where the caller asks for it: the
// tunnel has no log, the caller writes it to its own.
#include "platform/files.h"
#include "platform/platform.h"

struct TunnelMessages {
    using ShowFunction = void (*)(platform::WindowHandle owner, const char* text, const char* caption);

    platform::WindowHandle owner = nullptr;
    const char* caption = "";  // of the builder's boxes; the section reader names itself
    ShowFunction show = platform::ShowMessage;
    platform::OpenFailure* openFailure = nullptr;  // null: nobody asked

    void Show(const char* text) const { show(owner, text, caption); }
    void Show(const char* text, const char* ownCaption) const { show(owner, text, ownCaption); }
};
