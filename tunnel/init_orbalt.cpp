#include "tunnel/init_orbalt.h"

#include "display/power_of_two.h"

namespace {
constexpr uint32_t kFewestSections = 8;

// The sizes the mesh and the builder accept, tested without touching them.
bool SizesAccepted(const TunnelParams& params) {
    const uint32_t points = params.sectionPoints, sections = params.sections;
    return IsPowerOfTwo(points) && points >= 4 && IsPowerOfTwo(sections) && sections >= kFewestSections &&
           sections <= Orbalt2::kMaxVertices / points;
}

// Whether the builder can start from the spacing and the section file: a
// trial start, generating nothing, on a mesh of the fewest sections and a
// builder of its own. Its sections have the tunnel's points, since the
// section file's profile is judged at that resolution. Its failures show the
// builder's and the section reader's own messages.
bool SectionSourceUsable(const TunnelRequest& request, const TunnelMessages& messages) {
    Orbalt2 trialMesh;
    TunnelBuilder trialBuilder;
    return trialMesh.Init(request.params.sectionPoints, kFewestSections) && trialBuilder.Create(&trialMesh, 1) &&
           trialBuilder.StartBuild(kStandardWalkSeed, request.cameraZ, request.params.spacing, request.sectionPath,
                                   messages);
}

void ApplyDrawingOptions(Orbalt2& mesh, const DrawingOptions& options) {
    mesh.SetNormals(options.normals);
    mesh.SetColors(options.colors);
    mesh.SetTexCoords(options.texcoords);
    mesh.SetRenderMode(options.renderMode);
    mesh.SetMethod(options.renderMethod);
    mesh.SetArrayLock(options.arrayLock);
}
}  // namespace

int InitOrbalt(Tunnel tunnel, const TunnelRequest& request, const TunnelMessages& messages, Console& console) {
    if (!SizesAccepted(request.params)) {
        messages.Show("InitOrbalt() builder.Create() failure");
        return 0;
    }
    if (!SectionSourceUsable(request, messages)) {
        messages.Show("InitOrbalt() builder.Init() failure");
        return 0;
    }
    // From here on only a lack of memory can fail; the builder then reports
    // itself not ready and nothing touches the tunnel until a build succeeds.
    SizeStandardMesh(tunnel.mesh, request.params);
    tunnel.mesh.Dump(console);
    ApplyDrawingOptions(tunnel.mesh, request.drawing);
    if (!AttachStandardBuilder(tunnel.builder, tunnel.mesh)) {
        messages.Show("InitOrbalt() builder.Create() failure");
        return 0;
    }
    if (!tunnel.builder.Init(kStandardWalkSeed, request.cameraZ, request.params.spacing, request.sectionPath,
                             messages)) {
        messages.Show("InitOrbalt() builder.Init() failure");
        return 0;
    }
    if (tunnel.builder.Ready()) ColorFromNormals(tunnel.mesh);
    return 1;
}

bool ContinueTunnelBuild(Tunnel tunnel) {
    if (!tunnel.builder.Building()) return tunnel.builder.Ready();
    if (!tunnel.builder.ContinueBuild()) return false;
    ColorFromNormals(tunnel.mesh);
    return true;
}
