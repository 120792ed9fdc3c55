#pragma once
// Where the program's files are: the program directory (taken from the full
// command line) and the section file named by the command-line text.
#include <string>

#include "platform/program_directory.h"

// Longest section path the program accepts, in characters (not UTF-8 bytes).
// A longer one is refused with a message rather than cut into the name of
// another file.
constexpr size_t kMaxSectionPath = 263;

constexpr const char* kDefaultSectionFile = "test.sct";

// The section path from the text after the program name, surrounding double
// quotes removed. False, with `path` untouched, when that leaves nothing.
bool SectionPathFromCommandLine(const char* text, std::string& path);
