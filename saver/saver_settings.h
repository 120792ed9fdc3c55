#pragma once
// What a user of the screensaver chooses, and the file it is kept in:
// `Key Value` lines as in orbalt_config.txt, in the user's application data
// (a saver is often installed where its user cannot write). The dialog, the
// saver and its preview all read the same file, so what the dialog shows is
// what runs.
#include <cstdint>
#include <string>
#include <vector>

#include "display/config_file.h"
#include "tunnel/render_options.h"

struct SaverSettings {
    RenderMode renderMode = RenderMode::SolidSmooth;
    RenderMethod renderMethod = RenderMethod::VertexArrays;
    bool displayLists = false;
    bool textures = true;
    bool fog = true;
    bool lighting = true;
    float speed = 0.15f;          // world units per second
    int32_t frameRateCap = 60;    // frames per second at most; 0 for none
    uint32_t sections = 256;      // in the ring: a power of two, 8 ... kMaxSections
    uint32_t sectionPoints = 64;  // a power of two, 8 ... kMaxSectionPoints
    bool allMonitors = true;      // false: the primary monitor only

    static constexpr float kSlowest = 0.02f;
    static constexpr float kFastest = 0.4f;
    static constexpr int32_t kMostFramesPerSecond = 240;
    static constexpr uint32_t kFewestSections = 8;
    static constexpr uint32_t kMaxSections = 1024;
    static constexpr uint32_t kFewestSectionPoints = 8;
    static constexpr uint32_t kMaxSectionPoints = 1024;
};

constexpr const char* kSaverFolderName = "orbalt";
constexpr const char* kSaverSettingsFileName = "orbalt_scr.txt";

// The render mode's word in the file: POINTS, SECTIONS, WIREFRAME, FLAT, SMOOTH.
const char* RenderModeName(RenderMode mode);

// The settings from the file's entries over the defaults. A value out of its
// range is brought into it, and a value that cannot be read keeps the
// default; each gets a line in `notes` naming the key, what was read and
// what is used. Unknown keys are ignored.
SaverSettings SettingsFromEntries(const std::vector<ConfigEntry>& entries, std::vector<std::string>& notes);

// The entries that store the settings, one per key.
std::vector<ConfigEntry> EntriesFromSettings(const SaverSettings& settings);

// Reads the settings file; a missing or unreadable one gives the defaults
// (and a note saying so).
SaverSettings ReadSaverSettings(const std::string& path, std::vector<std::string>& notes);
// Writes the file whole; false when it cannot be written.
bool WriteSaverSettings(const std::string& path, const SaverSettings& settings);
