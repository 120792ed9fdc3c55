// orbalt-bench's program-wide objects, constructed before the entry point in
// this order and destroyed after it returns in the reverse order.
#include "drawbench/bench_objects.h"

#include <new>

// A console program always has an output; it never opens a window of its own.
Console benchConsole(ConsoleWindow::Never);
GLwindow benchWindow;
bool benchStopped = false;

void ResetBenchObjects() {
    benchWindow.Close();
    benchWindow.~GLwindow();
    new (&benchWindow) GLwindow();
    GLwindow::status = ErrorStatus{};
    benchStopped = false;
}
