#include "display/config_file.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/files.h"

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Splits off at most `limit` whitespace-separated words.
std::vector<std::string> SplitWords(const std::string& line, size_t limit) {
    std::vector<std::string> words;
    size_t at = 0;
    while (words.size() < limit) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size()) break;
        size_t end = at;
        while (end < line.size() && !IsBlank(line[end])) ++end;
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

// Editors that save UTF-8 "with BOM" (Notepad among them) start the file with
// EF BB BF; the first line is read after it, as the user wrote it.
void SkipByteOrderMark(std::FILE* file) {
    unsigned char mark[3] = {0, 0, 0};
    const size_t read = std::fread(mark, 1, sizeof mark, file);
    if (read == sizeof mark && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) return;
    std::rewind(file);
}

}  // namespace

bool ParseConfigLine(const std::string& rawLine, ConfigEntry& entry) {
    const std::string line = rawLine.substr(0, kConfigLineLength);
    if (!line.empty() && line[0] == '#') return false;
    std::vector<std::string> words = SplitWords(line, 2);
    if (words.size() < 2) return false;
    if (words[0].size() > kConfigWordLength || words[1].size() > kConfigWordLength) return false;
    entry.key = words[0];
    entry.value = words[1];
    return true;
}

// Binary mode: a text-mode read under Windows' C runtime would stop at a 0x1A
// byte and fold CR LF, so the program would read other bytes than the tests.
// Only LF ends a line; a CR is a blank like any other.
bool ReadConfigFile(const char* path, std::vector<ConfigEntry>& entries) {
    entries.clear();
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return false;
    SkipByteOrderMark(file);
    std::string line;
    ConfigEntry entry;
    int c;
    while ((c = std::getc(file)) != EOF) {
        if (c == '\n') {
            if (ParseConfigLine(line, entry)) entries.push_back(entry);
            line.clear();
        } else if (line.size() < kConfigLineLength) {
            line += static_cast<char>(c);
        }
    }
    if (ParseConfigLine(line, entry)) entries.push_back(entry);
    std::fclose(file);
    return true;
}

bool WriteConfigFile(const char* path, const std::vector<ConfigEntry>& entries) {
    std::FILE* file = platform::OpenFile(path, "wb");
    if (file == nullptr) return false;
    bool written = true;
    for (const ConfigEntry& entry : entries)
        written = std::fprintf(file, "%s %s\n", entry.key.c_str(), entry.value.c_str()) > 0 && written;
    return std::fclose(file) == 0 && written;
}

bool ParseConfigFlag(const std::string& value) { return value != "NO"; }

int32_t ParseConfigInteger(const std::string& value) {
    const long long parsed = std::strtoll(value.c_str(), nullptr, 10);
    if (parsed > INT32_MAX) return INT32_MAX;
    if (parsed < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(parsed);
}
