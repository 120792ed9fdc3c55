// orbalt-bench.exe's composition root: the drawing-path benchmark, run by
// the drawbench room with the program-wide objects it defines.
#include "drawbench/bench_program.h"
#include "platform/entry.h"

int ProgramMain(const char* commandLineText) { return RunBench(commandLineText); }
