#pragma once
// The whole-tunnel build: sizes the mesh, applies the drawing options, lets
// the builder load the section file and generate the ring around the camera,
// and colours the vertices from their normals.
#include "platform/console.h"
#include "tunnel/orbalt2.h"
#include "tunnel/render_options.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"
#include "tunnel/tunnel_messages.h"

// How the mesh draws: set on every build, changed between builds by the menu.
struct DrawingOptions {
    RenderMode renderMode = RenderMode::SolidSmooth;
    RenderMethod renderMethod = RenderMethod::DirectVertices;
    bool normals = true;
    bool colors = false;
    bool texcoords = true;
    ArrayLock arrayLock;  // the context's compiled-array lock when wanted, else empty
};

// What a build is made from.
struct TunnelRequest {
    TunnelParams params;
    DrawingOptions drawing;
    const char* sectionPath = nullptr;
    float cameraZ = 0.0f;
};

// The mesh and the builder that a build fills.
struct Tunnel {
    Orbalt2& mesh;
    TunnelBuilder& builder;
};

// 1 on success; 0 after a message box saying why. Sizes, spacing and the
// section file are checked before anything is released, so a build that
// cannot succeed keeps the tunnel there was, still drawable. The mesh's
// statistics go to the console. The ring is generated within the builder's
// build budget: a build that needs longer is left Building.
int InitOrbalt(Tunnel tunnel, const TunnelRequest& request, const TunnelMessages& messages, Console& console);

// Goes on with a build left Building, within the builder's build budget, and
// colours the tunnel once it is whole. True when the tunnel is ready.
bool ContinueTunnelBuild(Tunnel tunnel);
