#pragma once
// Configuration files of `Key Value` lines, as the programs read and write
// them: a `#` in the first column starts a comment, only the first
// kConfigLineLength characters of a line count, a key or value longer than
// kConfigWordLength makes the whole line ignored, as does a line with fewer
// than two words, and words after the value are ignored. What each key means
// is the reading program's business.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kConfigLineLength = 127;
constexpr size_t kConfigWordLength = 63;

struct ConfigEntry {
    std::string key;
    std::string value;
};

// The entry of one line; false for a line that holds none.
bool ParseConfigLine(const std::string& line, ConfigEntry& entry);

// Every entry of the file at the UTF-8 `path`, in order; false (with
// `entries` left empty) when the file cannot be opened.
bool ReadConfigFile(const char* path, std::vector<ConfigEntry>& entries);

// Writes the entries as lines; false when the file cannot be written whole.
bool WriteConfigFile(const char* path, const std::vector<ConfigEntry>& entries);

// "NO" alone means false; every other word means true.
bool ParseConfigFlag(const std::string& value);
// Base 10 after optional blanks and sign, up to the first non-digit; no
// digits give 0. Values beyond 32 bits saturate instead of wrapping.
int32_t ParseConfigInteger(const std::string& value);
