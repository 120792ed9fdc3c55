#pragma once
// The folder the running program lives in, where its data files lie beside it.
#include <cstddef>
#include <string>

// Longest program directory accepted. A longer one is refused with a message
// rather than cut into the name of another file.
constexpr size_t kMaxProgramDirectory = 263;

// The directory of the program named at the start of `fullCommandLine`, with
// its trailing backslash; empty (the current directory) when the program was
// named without a directory. False when it is longer than kMaxProgramDirectory.
bool ProgramDirectoryFrom(const char* fullCommandLine, std::string& directory);

// The same for this process's own command line.
bool ProgramDirectory(std::string& directory);
