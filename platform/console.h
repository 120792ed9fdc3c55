#pragma once
// The console: short progress and diagnostic lines, printf-style. It keeps a
// standard output the process already has (a console, a redirected file or
// pipe) and allocates a console window only when there is none.
#include "platform/platform.h"

// Whether a process without a standard output gets a console window.
enum class ConsoleWindow { OpenWhenMissing, Never };

class Console {
public:
    explicit Console(ConsoleWindow window = ConsoleWindow::OpenWhenMissing);
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Formats into the text buffer and writes it; callers supply their own
    // line ends. A text longer than the buffer is cut at its end. Returns the
    // number of characters written.
    int Printf(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

private:
    char text[1024];
    platform::ConsoleHandle input;
    platform::ConsoleHandle output;
    platform::ConsoleHandle error;
};
