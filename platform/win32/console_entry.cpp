// The Windows console entry point, for programs run from a command prompt
// with switches (the benchmark): the prompt waits for them and shows their
// output and exit code. Hands the text after the program's name to the
// program's own entry, as the GUI entry point does. Compiled into each such
// exe beside the program's composition root, not into the platform library.
#include "platform/entry.h"
#include "platform/platform.h"
#include "platform/program_directory.h"

int main() { return ProgramMain(ArgumentText(platform::CommandLine())); }
