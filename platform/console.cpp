#include "platform/console.h"

#include <cstdarg>
#include <cstdio>

Console::Console(ConsoleWindow window) : text{} {
    platform::ConsoleHandles handles = platform::OpenConsole(window == ConsoleWindow::OpenWhenMissing);
    input = handles.input;
    output = handles.output;
    error = handles.error;
}

Console::~Console() { platform::CloseConsole(); }

int Console::Printf(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    if (length < 0) return 0;
    if (static_cast<size_t>(length) >= sizeof(text)) length = static_cast<int>(sizeof(text) - 1);
    platform::WriteToConsole(output, text, static_cast<size_t>(length));
    return length;
}
