// The Windows GUI entry point: hands the command-line text to the program.
// WinMain is the composition root, the one place below the shell that calls
// up into it: it is compiled into the exe, not into the platform library.
#include "platform/win32/win32.h"

#include <commctrl.h>

#include "shell/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // The manifest selects version 6 of the common controls; registering its
    // classes of the standard controls before the first dialog or message box
    // gives them the system's current look.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    return RunProgram(commandLine ? commandLine : "");
}
