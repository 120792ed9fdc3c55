#include "shell/info_boxes.h"

#include "shell/program_objects.h"

const char* const kAboutText =
    "Orbalt, demo version 1.0 \n"
    "\n"
    "written by the orbalt developers \n"
    "contact: the orbalt project's issue tracker \n";

const char* const kHelpText =
    "move mouse or joystick to steer \n"
    " button 1 : faster, button 2 : slower \n"
    " button 1 + 2 + move : shift \n"
    "\n"
    " [escape] to quit \n"
    "\n"
    " [m] to display popup menu \n"
    " [-]/[=] to decrease/increase max speed \n"
    " [v]/[V] to decrease/increase field of view \n"
    " [f] to toggle fog \n"
    " [i] to toggle info \n"
    " [l] to toggle lighting \n"
    " [t] to toggle textures \n"
    " [y] to toggle steering up-down swap \n"
    "\n"
    "written by the orbalt developers: the orbalt project's issue tracker \n";

void ShowAbout() { platform::ShowMessage(glWindow.hwnd, kAboutText, kAboutCaption); }

void ShowHelp() { platform::ShowMessage(glWindow.hwnd, kHelpText, kHelpCaption); }
