#include "saver/saver_settings.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kModeNames[kRenderModeCount] = {"POINTS", "SECTIONS", "WIREFRAME", "FLAT", "SMOOTH"};

std::string Note(const ConfigEntry& entry, const std::string& used) {
    return entry.key + " " + entry.value + ": using " + used;
}

std::string FloatText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

bool ReadFloat(const std::string& text, float& value) {
    char* end = nullptr;
    errno = 0;
    const float parsed = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ReadInteger(const std::string& text, long long& value) {
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno == ERANGE) return false;
    value = parsed;
    return true;
}

// The power of two nearest to `value` within [fewest, most].
uint32_t NearestPowerOfTwo(long long value, uint32_t fewest, uint32_t most) {
    uint32_t best = fewest;
    for (uint32_t candidate = fewest; candidate <= most; candidate *= 2)
        if (std::llabs(candidate - value) < std::llabs(best - value)) best = candidate;
    return best;
}

void ApplySpeed(const ConfigEntry& entry, SaverSettings& s, std::vector<std::string>& notes) {
    float value = s.speed;
    if (!ReadFloat(entry.value, value)) {
        notes.push_back(Note(entry, FloatText(s.speed)));
        return;
    }
    s.speed = std::clamp(value, SaverSettings::kSlowest, SaverSettings::kFastest);
    if (s.speed != value) notes.push_back(Note(entry, FloatText(s.speed)));
}

void ApplyFrameRateCap(const ConfigEntry& entry, SaverSettings& s, std::vector<std::string>& notes) {
    long long value = 0;
    if (!ReadInteger(entry.value, value)) {
        notes.push_back(Note(entry, std::to_string(s.frameRateCap)));
        return;
    }
    s.frameRateCap = static_cast<int32_t>(std::clamp<long long>(value, 0, SaverSettings::kMostFramesPerSecond));
    if (s.frameRateCap != value) notes.push_back(Note(entry, std::to_string(s.frameRateCap)));
}

void ApplyCount(const ConfigEntry& entry, uint32_t& count, uint32_t fewest, uint32_t most,
                std::vector<std::string>& notes) {
    long long value = 0;
    if (!ReadInteger(entry.value, value)) {
        notes.push_back(Note(entry, std::to_string(count)));
        return;
    }
    count = NearestPowerOfTwo(value, fewest, most);
    if (count != value) notes.push_back(Note(entry, std::to_string(count)));
}

void ApplyRenderMode(const ConfigEntry& entry, SaverSettings& s, std::vector<std::string>& notes) {
    for (int32_t mode = 0; mode < kRenderModeCount; ++mode)
        if (entry.value == kModeNames[mode]) {
            s.renderMode = static_cast<RenderMode>(mode);
            return;
        }
    notes.push_back(Note(entry, RenderModeName(s.renderMode)));
}

void ApplyEntry(const ConfigEntry& entry, SaverSettings& s, std::vector<std::string>& notes) {
    const std::string& key = entry.key;
    if (key == "RenderMode")
        ApplyRenderMode(entry, s, notes);
    else if (key == "RenderMethod")
        s.renderMethod = entry.value == "DIRECT" ? RenderMethod::DirectVertices : RenderMethod::VertexArrays;
    else if (key == "DisplayLists")
        s.displayLists = ParseConfigFlag(entry.value);
    else if (key == "Textures")
        s.textures = ParseConfigFlag(entry.value);
    else if (key == "Fog")
        s.fog = ParseConfigFlag(entry.value);
    else if (key == "Lighting")
        s.lighting = ParseConfigFlag(entry.value);
    else if (key == "Speed")
        ApplySpeed(entry, s, notes);
    else if (key == "FrameRateCap")
        ApplyFrameRateCap(entry, s, notes);
    else if (key == "Sections")
        ApplyCount(entry, s.sections, SaverSettings::kFewestSections, SaverSettings::kMaxSections, notes);
    else if (key == "SectionPoints")
        ApplyCount(entry, s.sectionPoints, SaverSettings::kFewestSectionPoints, SaverSettings::kMaxSectionPoints,
                   notes);
    else if (key == "Monitors")
        s.allMonitors = entry.value != "PRIMARY";
}

const char* Flag(bool on) { return on ? "YES" : "NO"; }

}  // namespace

const char* RenderModeName(RenderMode mode) {
    const auto index = static_cast<int32_t>(mode);
    return index >= 0 && index < kRenderModeCount ? kModeNames[index] : kModeNames[kRenderModeCount - 1];
}

SaverSettings SettingsFromEntries(const std::vector<ConfigEntry>& entries, std::vector<std::string>& notes) {
    SaverSettings settings;
    for (const ConfigEntry& entry : entries) ApplyEntry(entry, settings, notes);
    return settings;
}

std::vector<ConfigEntry> EntriesFromSettings(const SaverSettings& s) {
    return {{"RenderMode", RenderModeName(s.renderMode)},
            {"RenderMethod", s.renderMethod == RenderMethod::DirectVertices ? "DIRECT" : "ARRAYS"},
            {"DisplayLists", Flag(s.displayLists)},
            {"Textures", Flag(s.textures)},
            {"Fog", Flag(s.fog)},
            {"Lighting", Flag(s.lighting)},
            {"Speed", FloatText(s.speed)},
            {"FrameRateCap", std::to_string(s.frameRateCap)},
            {"Sections", std::to_string(s.sections)},
            {"SectionPoints", std::to_string(s.sectionPoints)},
            {"Monitors", s.allMonitors ? "ALL" : "PRIMARY"}};
}

SaverSettings ReadSaverSettings(const std::string& path, std::vector<std::string>& notes) {
    std::vector<ConfigEntry> entries;
    if (!ReadConfigFile(path.c_str(), entries)) notes.push_back(path + " not read: using the defaults");
    return SettingsFromEntries(entries, notes);
}

bool WriteSaverSettings(const std::string& path, const SaverSettings& settings) {
    return WriteConfigFile(path.c_str(), EntriesFromSettings(settings));
}
