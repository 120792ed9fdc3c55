#include "tunnel/init_orbalt.h"

#include "platform/platform.h"
#include "shell/program_objects.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

namespace {
constexpr uint32_t kWalkSeed = 8;
// The ring is built with the margin half of it leaves, less the segments
// kept behind the camera and at the window's ends.
constexpr uint32_t kMarginReserve = 6;
constexpr uint32_t kFewestSections = 8;
// Texture repeats around each section and along the ring.
constexpr float kTextureAround = 2.0f;
constexpr float kTextureAlong = 16.0f;

void ShowBuildMessage(const char* text) { platform::ShowMessage(glWindow.hwnd, text, "orbalt"); }

bool IsPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

// The sizes the mesh and the builder accept, tested without touching them.
bool SizesAccepted(const TunnelParams& params) {
    const uint32_t points = params.sectionPoints, sections = params.sections;
    return IsPowerOfTwo(points) && points >= 4 && IsPowerOfTwo(sections) && sections >= kFewestSections &&
           sections <= Orbalt2::kMaxVertices / points;
}

// Whether the builder can start from the spacing and the section file: a
// trial build of the fewest sections, on a mesh and a builder of its own. Its
// sections have the tunnel's points, since the section file's profile is
// judged at that resolution. Its failures show the builder's and the section
// reader's own messages.
bool SectionSourceUsable(uint32_t points, float spacing, float cameraZ) {
    Orbalt2 trialMesh;
    TunnelBuilder trialBuilder;
    return trialMesh.Init(points, kFewestSections) && trialBuilder.Create(&trialMesh, 1) &&
           trialBuilder.Init(kWalkSeed, cameraZ, spacing, sectionPath.c_str());
}

void ApplyDrawingOptions(const Settings& settings) {
    tunnelMesh.SetNormals(settings.normals);
    tunnelMesh.SetColors(settings.colors);
    tunnelMesh.SetTexCoords(settings.texcoords);
    tunnelMesh.ComputeTexCoords(kTextureAround, kTextureAlong);
    tunnelMesh.SetRenderMode(settings.renderMode);
    tunnelMesh.SetMethod(settings.renderMethod);
}

// Colours that show the orientation of the wall; negative parts are
// clamped when drawn.
void ColourFromNormals() {
    for (uint32_t v = 0; v < tunnelMesh.nVertices; ++v) {
        const Vector3& n = tunnelMesh.norm[v];
        tunnelMesh.clr[v] = Color4{n.x, n.y, n.z, 1.0f};
    }
}
}  // namespace

int InitOrbalt(const Settings& settings, const TunnelParams& params) {
    if (!SizesAccepted(params)) {
        ShowBuildMessage("InitOrbalt() builder.Create() failure");
        return 0;
    }
    if (!SectionSourceUsable(params.sectionPoints, params.spacing, camera.position.z)) {
        ShowBuildMessage("InitOrbalt() builder.Init() failure");
        return 0;
    }
    // From here on only a lack of memory can fail; the builder then reports
    // itself not ready and nothing touches the tunnel until a build succeeds.
    tunnelMesh.Init(params.sectionPoints, params.sections);
    tunnelMesh.Dump();
    ApplyDrawingOptions(settings);
    if (!tunnelBuilder.Create(&tunnelMesh, params.sections / 2 - kMarginReserve)) {
        ShowBuildMessage("InitOrbalt() builder.Create() failure");
        return 0;
    }
    if (!tunnelBuilder.Init(kWalkSeed, camera.position.z, params.spacing, sectionPath.c_str())) {
        ShowBuildMessage("InitOrbalt() builder.Init() failure");
        return 0;
    }
    ColourFromNormals();
    collisionState.clearance = collisionClearance;
    return 1;
}
