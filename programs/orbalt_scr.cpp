// orbalt.scr's composition root: the screensaver, run by the saver's room
// with the program-wide objects it defines.
#include "platform/entry.h"
#include "saver/saver_program.h"

int ProgramMain(const char* commandLineText) { return RunSaver(commandLineText); }
