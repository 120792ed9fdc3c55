// Message boxes, the command line, the clocks and the console on Win32.
#include "platform/win32/win32.h"

#include <cstring>

#include "platform/system_info.h"

namespace platform {
using win32::ToHandle;
using win32::ToHwnd;

// Wide: a text may name a path in any characters.
void ShowMessage(WindowHandle owner, const char* text, const char* caption) {
    MessageBoxW(ToHwnd(owner), win32::Utf16(text).c_str(), win32::Utf16(caption).c_str(), MB_OK);
}

// Converted once, on the first call, and kept for the whole run.
const char* CommandLine() {
    static const std::string commandLine = win32::Utf8(GetCommandLineW());
    return commandLine.c_str();
}

SystemError LastSystemError() {
    SystemError error;
    error.code = GetLastError();
    wchar_t text[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error.code, 0, text, sizeof text / sizeof text[0], nullptr);
    error.text = win32::Utf8(text, length);
    // The system's texts end with a line break, and some hold one inside.
    for (char& c : error.text)
        if (c == '\r' || c == '\n') c = ' ';
    while (!error.text.empty() && error.text.back() == ' ') error.text.pop_back();
    if (error.text.empty()) error.text = "(no text for this code)";
    return error;
}

int64_t CounterFrequency() {
    LARGE_INTEGER frequency;
    return QueryPerformanceFrequency(&frequency) ? frequency.QuadPart : 0;
}

int64_t CounterValue() {
    LARGE_INTEGER value;
    return QueryPerformanceCounter(&value) ? value.QuadPart : 0;
}

uint32_t TickCount() { return GetTickCount(); }

namespace {
bool consoleAllocated = false;

// A standard output that a shell or a test redirected to a file or pipe, or a
// console the process already has, is kept: allocating a new console would
// cut the redirection off.
bool HasUsableOutput() {
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
    DWORD type = GetFileType(output);
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE) return true;
    DWORD mode;
    return type == FILE_TYPE_CHAR && GetConsoleMode(output, &mode);
}
}  // namespace

ConsoleHandles OpenConsole(bool allocate) {
    if (allocate && !HasUsableOutput()) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) consoleAllocated = AllocConsole() != 0;
    }
    ConsoleHandles handles;
    handles.input = GetStdHandle(STD_INPUT_HANDLE);
    handles.output = GetStdHandle(STD_OUTPUT_HANDLE);
    handles.error = GetStdHandle(STD_ERROR_HANDLE);
    return handles;
}

// A console shows characters, so it gets the text as UTF-16, whatever its
// code page; a file or pipe gets the UTF-8 bytes as they are.
void WriteToConsole(ConsoleHandle output, const char* text, size_t length) {
    HANDLE handle = ToHandle(output);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;  // no output and no console window
    DWORD written = 0, mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = win32::Utf16(text, length);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, text, static_cast<DWORD>(length), &written, nullptr);
    }
}

void HoldConsoleOpen(const char* prompt) {
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD processes[2], mode = 0;
    // Only this process on the console: nobody started it from a prompt.
    // Under Wine the console is the Unix terminal it was started from, which
    // stays open anyway.
    if (GetConsoleProcessList(processes, 2) != 1 || !GetConsoleMode(output, &mode) ||
        !GetConsoleMode(input, &mode) || !WineVersion().empty())
        return;
    WriteToConsole(output, prompt, std::strlen(prompt));
    FlushConsoleInputBuffer(input);
    wchar_t line[64];
    DWORD read = 0;
    ReadConsoleW(input, line, 64, &read, nullptr);  // a line: returns on Enter
}

void CloseConsole() {
    if (consoleAllocated) FreeConsole();
    consoleAllocated = false;
}

}  // namespace platform
