// The Windows GUI entry point: hands the command-line text to the program.
// WinMain is the composition root, the one place below the shell that calls
// up into it: it is compiled into the exe, not into the platform library.
#include "platform/win32/win32.h"
#include "shell/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return RunProgram(commandLine ? commandLine : "");
}
