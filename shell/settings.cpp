#include "shell/settings.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

// "NO" alone means false; every other word means true.
bool ParseFlag(const std::string& value) { return value != "NO"; }

// Base 10 after optional blanks and sign, up to the first non-digit; no
// digits give 0. Values beyond 32 bits saturate instead of wrapping.
int32_t ParseInteger(const std::string& value) {
    long long parsed = std::strtoll(value.c_str(), nullptr, 10);
    if (parsed > INT32_MAX) return INT32_MAX;
    if (parsed < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(parsed);
}

uint32_t ParseCount(const std::string& value) { return static_cast<uint32_t>(ParseInteger(value)); }

}  // namespace

void StoreDefaults(Settings& settings) { settings = Settings{}; }

bool ApplyConfigLine(const std::string& rawLine, Settings& settings, TunnelParams& params) {
    std::string line = rawLine.substr(0, kConfigLineLength);
    if (!line.empty() && line[0] == '#') return false;
    std::vector<std::string> words = SplitWords(line, 2);
    if (words.size() < 2) return false;
    const std::string& key = words[0];
    const std::string& value = words[1];
    if (key.size() > kConfigWordLength || value.size() > kConfigWordLength) return false;
    if (key == "FullScreen")
        settings.FullScreen = ParseFlag(value);
    else if (key == "XResolution")
        settings.XResolution = ParseInteger(value);
    else if (key == "YResolution")
        settings.YResolution = ParseInteger(value);
    else if (key == "SwapSteerUpDown")
        settings.SwapSteerUpDown = ParseFlag(value);
    else if (key == "SectionPoints")
        params.sectionPoints = ParseCount(value);
    else if (key == "RenderMethod")
        settings.renderMethod = value == "DIRECT" ? RenderMethod::DirectVertices : RenderMethod::VertexArrays;
    else if (key == "DisplayLists")
        settings.DisplayLists = ParseFlag(value);
    else if (key == "LockArrays")
        settings.LockArrays = ParseFlag(value);
    else
        return false;
    return true;
}

// Binary mode: a text-mode read under Windows' C runtime would stop at a 0x1A
// byte and fold CR LF, so the program would read other bytes than the tests.
// Only LF ends a line; a CR is a blank like any other.
int ReadConfig(Settings& settings, TunnelParams& params, const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    std::string line;
    int c;
    while ((c = std::getc(file)) != EOF) {
        if (c == '\n') {
            ApplyConfigLine(line, settings, params);
            line.clear();
        } else if (line.size() < kConfigLineLength) {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) ApplyConfigLine(line, settings, params);
    std::fclose(file);
    return 1;
}
