// The Windows GUI entry point: hands the command-line text to the program.
#include "platform/win32/win32.h"
#include "shell/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return RunProgram(commandLine ? commandLine : "");
}
