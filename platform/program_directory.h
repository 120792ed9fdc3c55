#pragma once
// The folder the running program lives in, where its data files lie beside
// it, and the arguments after the program's name, both from the command line
// (UTF-8, as the platform gives it).
#include <cstddef>
#include <string>

// Longest program directory accepted, in characters (not UTF-8 bytes). A
// longer one is refused with a message rather than cut into the name of
// another file.
constexpr size_t kMaxProgramDirectory = 263;

// The directory of the program named at the start of `fullCommandLine`, with
// its trailing backslash; empty (the current directory) when the program was
// named without a directory. False when it is longer than kMaxProgramDirectory.
bool ProgramDirectoryFrom(const char* fullCommandLine, std::string& directory);

// The same for this process's own command line.
bool ProgramDirectory(std::string& directory);

// The text after the program name and the blanks that follow it, as Windows'
// C runtime hands it to WinMain: the name ends at the first blank or control
// character outside double quotes. Points into `fullCommandLine`.
const char* ArgumentText(const char* fullCommandLine);
