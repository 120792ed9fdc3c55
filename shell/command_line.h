#pragma once
// Where the program's files are: the program directory (taken from the full
// command line) and the section file named by the command-line text.
#include <string>

// Longest program directory and section path the program accepts. A longer one
// is refused with a message rather than cut into the name of another file.
constexpr size_t kMaxProgramDirectory = 263;
constexpr size_t kMaxSectionPath = 263;

constexpr const char* kDefaultSectionFile = "test.sct";

// The directory of the program named at the start of `fullCommandLine`, with
// its trailing backslash; empty (the current directory) when the program was
// named without a directory. False when it is longer than kMaxProgramDirectory.
bool ProgramDirectoryFrom(const char* fullCommandLine, std::string& directory);

// The same for this process's own command line.
bool ProgramDirectory(std::string& directory);

// The section path from the text after the program name, surrounding double
// quotes removed. False, with `path` untouched, when that leaves nothing.
bool SectionPathFromCommandLine(const char* text, std::string& path);
