#include "shell/settings.h"

#include <vector>

#include "display/config_file.h"

namespace {
uint32_t ParseCount(const std::string& value) { return static_cast<uint32_t>(ParseConfigInteger(value)); }

// Sets the key's field; false for a key the program does not know.
bool ApplyConfigEntry(const ConfigEntry& entry, Settings& settings, TunnelParams& params) {
    const std::string& key = entry.key;
    const std::string& value = entry.value;
    if (key == "FullScreen")
        settings.FullScreen = ParseConfigFlag(value);
    else if (key == "XResolution")
        settings.XResolution = ParseConfigInteger(value);
    else if (key == "YResolution")
        settings.YResolution = ParseConfigInteger(value);
    else if (key == "SwapSteerUpDown")
        settings.SwapSteerUpDown = ParseConfigFlag(value);
    else if (key == "SectionPoints")
        params.sectionPoints = ParseCount(value);
    else if (key == "RenderMethod")
        settings.renderMethod = value == "DIRECT" ? RenderMethod::DirectVertices : RenderMethod::VertexArrays;
    else if (key == "DisplayLists")
        settings.DisplayLists = ParseConfigFlag(value);
    else if (key == "LockArrays")
        settings.LockArrays = ParseConfigFlag(value);
    else
        return false;
    return true;
}
}  // namespace

void StoreDefaults(Settings& settings) { settings = Settings{}; }

bool ApplyConfigLine(const std::string& line, Settings& settings, TunnelParams& params) {
    ConfigEntry entry;
    return ParseConfigLine(line, entry) && ApplyConfigEntry(entry, settings, params);
}

int ReadConfig(Settings& settings, TunnelParams& params, const char* path) {
    std::vector<ConfigEntry> entries;
    if (!ReadConfigFile(path, entries)) return 0;
    for (const ConfigEntry& entry : entries) ApplyConfigEntry(entry, settings, params);
    return 1;
}
