#include "drawbench/drawing_path.h"

#include <cctype>

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// A glob over a whole name: on a mismatch after a `*`, the star takes one
// more character and the rest is tried again from there. Each star resumes
// only the latest one, which is enough for a whole-name match and keeps the
// work to pattern length times name length.
bool GlobMatches(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0;
    size_t starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::string TrimmedSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<DrawingPath> AllDrawingPaths() {
    std::vector<DrawingPath> paths;
    for (int32_t number = 0; number < kRenderModeCount; ++number)
        for (const bool lists : {false, true}) {
            const auto mode = static_cast<RenderMode>(number);
            paths.push_back({mode, RenderMethod::DirectVertices, false, lists});
            paths.push_back({mode, RenderMethod::VertexArrays, false, lists});
            paths.push_back({mode, RenderMethod::VertexArrays, true, lists});
        }
    return paths;
}

const char* ModeName(RenderMode mode) {
    switch (mode) {
        case RenderMode::Points: return "points";
        case RenderMode::Sections: return "sections";
        case RenderMode::Wireframe: return "wireframe";
        case RenderMode::SolidFlat: return "solid flat";
        case RenderMode::SolidSmooth: return "solid smooth";
    }
    return "unknown";
}

const char* MethodName(const DrawingPath& path) {
    if (path.method == RenderMethod::DirectVertices) return "direct";
    return path.lock ? "arrays+lock" : "arrays";
}

std::string PathName(const DrawingPath& path) {
    std::string mode = ModeName(path.mode);
    for (char& c : mode)
        if (c == ' ') c = '-';
    return mode + "/" + MethodName(path) + (path.lists ? "/lists" : "/no-lists");
}

bool PathMatches(const std::string& patterns, const std::string& name) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t comma = patterns.find(',', start);
        if (comma == std::string::npos) comma = patterns.size();
        const std::string pattern = TrimmedSpaces(patterns.substr(start, comma - start));
        if (!pattern.empty() && GlobMatches(pattern, name)) return true;
        start = comma + 1;
    }
    return false;
}

std::vector<DrawingPath> SelectPaths(const std::string& patterns) {
    std::vector<DrawingPath> selected;
    for (const DrawingPath& path : AllDrawingPaths())
        if (PathMatches(patterns, PathName(path))) selected.push_back(path);
    return selected;
}
