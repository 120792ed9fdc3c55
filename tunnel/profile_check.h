#pragma once
// Judges the starting profile of a section file. The walker keeps only
// changes after which the profile stays inside its limits and does not cross
// itself, so a start that already fails can never recover: every section
// would pay the walker's full search and the tunnel would keep the bad
// profile. Such files are refused when they are read.
#include <cstdint>

#include "tunnel/section_file.h"

// The resolution a file is judged at when no tunnel resolution is known (the
// program's default points per section).
constexpr uint32_t kJudgedProfilePoints = 64;

// Evaluates the file's profile with `points` points per section (a power of
// two of at least 4) and returns null when the walker can start from it, else
// the message that says what is wrong with it.
const char* JudgeStartingProfile(const SectionFile& file, uint32_t points);
