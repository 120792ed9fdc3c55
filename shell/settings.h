#pragma once
// The program's configurable state: the settings record, the tunnel parameter
// record, and the configuration file that overrides the settings at start-up.
#include <cstdint>
#include <string>

#include "tunnel/render_options.h"
#include "tunnel/standard_tunnel.h"  // TunnelParams

struct Settings {
    bool FullScreen = true;
    bool lighting = true;
    bool fog = true;
    bool depthTest = true;
    bool SwapSteerUpDown = false;
    int32_t XResolution = 640;
    int32_t YResolution = 480;
    RenderMode renderMode = RenderMode::SolidSmooth;
    RenderMethod renderMethod = RenderMethod::DirectVertices;
    bool DisplayLists = false;
    bool normals = true;
    bool colors = false;
    bool texcoords = true;
    bool LockArrays = true;
};

constexpr const char* kConfigFileName = "orbalt_config.txt";

void StoreDefaults(Settings& settings);

// Applies one configuration line. Returns true when it set a known key.
bool ApplyConfigLine(const std::string& line, Settings& settings, TunnelParams& params);

// Reads the configuration file at `path` (display/config_file.h says how its
// lines are read) over the records. 1 when the file
// was opened, 0 when it could not be (the records are then untouched).
int ReadConfig(Settings& settings, TunnelParams& params, const char* path);
