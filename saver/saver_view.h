#pragma once
// One view of the saver's flight: a window over a monitor (or inside the
// preview's parent), what its GL context offers and holds, and a tunnel of
// its own flown by the cruise pilot. Each view keeps its own context, so each
// gets its own aspect, texture and display lists; all views fly the same
// flight, as they start from the same tunnel and fly the same pilot.
#include <cstdint>
#include <cstdio>
#include <string>

#include "display/context_resources.h"
#include "display/glwindow.h"
#include "flight/camera.h"
#include "flight/collision.h"
#include "flight/cruise_pilot.h"
#include "flight/flight_model.h"
#include "platform/console.h"
#include "saver/saver_settings.h"
#include "tunnel/orbalt2.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"
#include "tunnel/tunnel_messages.h"

struct SaverView {
    GLwindow window;
    ContextResources context;
    Orbalt2 mesh;
    TunnelBuilder builder{kFrameGenerationBudget, kFrameBuildBudget};
    Camera camera;
    CollisionState collision;
    CruiseState cruise;
    uint32_t texture = 0;
    bool flying = false;  // the camera placed in the whole tunnel
};

// What every view is made from.
struct ViewRecipe {
    const SaverSettings& settings;
    std::string sectionPath;
    std::string texturePath;
    TunnelMessages messages;
    Console& console;
    std::FILE* log;  // may be null
};

// Once the view's window and context exist: the render state, the
// extensions and the swap interval (vertical sync where the driver offers
// it, logged as set and read back), the texture and the tunnel's build.
// False, after a log line, when the tunnel cannot be built.
bool PrepareView(SaverView& view, const ViewRecipe& recipe);

// One frame of the view in its own context: the build carried on while the
// ring is not whole, else the pilot's tick; then the picture.
void DrawViewFrame(SaverView& view, const SaverSettings& settings, float frameTime);

// The view's window follows a new client size.
void ResizeView(SaverView& view, int32_t width, int32_t height);
