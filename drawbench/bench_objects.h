#pragma once
// orbalt-bench's program-wide objects: the console its progress goes to and
// the window it draws in, which its window procedure reaches. Defined in one
// file beside the function that puts them back to their starting state.
#include "display/glwindow.h"
#include "platform/console.h"

extern Console benchConsole;  // the command prompt's, or the output it was redirected to
extern GLwindow benchWindow;
extern bool benchStopped;  // the user closed the window or pressed Escape

// Puts every object above back to the state it starts the program in, as
// tests need between cases; the window is closed as at the end.
void ResetBenchObjects();
