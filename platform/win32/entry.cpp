// The Windows GUI entry point of every program: prepares the process and
// hands the command-line text to the program's own entry. Compiled into each
// exe beside the program's composition root, not into the platform library.
#include "platform/win32/win32.h"
// After windows.h, whose types it uses.
#include <commctrl.h>

#include "platform/entry.h"
#include "platform/program_directory.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The manifest selects version 6 of the common controls; registering its
    // classes of the standard controls before the first dialog or message box
    // gives them the system's current look.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    // WinMain's own text is in the ANSI code page, which cannot hold every
    // path: the program takes its arguments from the UTF-8 command line.
    return ProgramMain(ArgumentText(platform::CommandLine()));
}
