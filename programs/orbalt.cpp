// orbalt.exe's composition root: the demo, run by the shell with the
// program-wide objects it defines.
#include "platform/entry.h"
#include "shell/program.h"

int ProgramMain(const char* commandLineText) { return RunProgram(commandLineText); }
