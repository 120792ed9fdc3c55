#include "shell/info_boxes.h"

#include "shell/program_objects.h"

const char* const kAboutText =
    "Orbalt, demo version 1.0 \n"
    "\n"
    "written by the orbalt developers \n"
    "contact: the orbalt project's issue tracker \n";

void ShowAbout() { platform::ShowMessage(glWindow.hwnd, kAboutText, kAboutCaption); }
