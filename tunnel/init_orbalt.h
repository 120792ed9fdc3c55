#pragma once
// The whole-tunnel build from the settings, the tunnel parameters and the
// section file named by `sectionPath`: sizes the mesh, applies the drawing
// options, lets the builder load the section file and generate the ring
// around the camera, and colours the vertices from their normals.
#include "shell/settings.h"

// 1 on success; 0 after a message box saying why. Sizes, spacing and the
// section file are checked before anything is released, so a build that
// cannot succeed keeps the tunnel there was, still drawable.
int InitOrbalt(const Settings& settings, const TunnelParams& params);
