#include "tunnel/standard_tunnel.h"

namespace {
// Segments kept behind the camera and at the ends of the generated window.
constexpr uint32_t kMarginReserve = 6;
}  // namespace

uint32_t StandardMargin(uint32_t sections) { return sections / 2 - kMarginReserve; }

bool SizeStandardMesh(Orbalt2& mesh, const TunnelParams& params) {
    if (!mesh.Init(params.sectionPoints, params.sections)) return false;
    mesh.ComputeTexCoords(kTextureAround, kTextureAlong);
    return true;
}

bool AttachStandardBuilder(TunnelBuilder& builder, Orbalt2& mesh) {
    return builder.Create(&mesh, StandardMargin(mesh.nSegments));
}

void ColorFromNormals(Orbalt2& mesh) {
    for (uint32_t v = 0; v < mesh.nVertices; ++v) {
        const Vector3& n = mesh.norm[v];
        mesh.clr[v] = Color4{n.x, n.y, n.z, 1.0f};
    }
}

bool BuildStandardTunnel(Orbalt2& mesh, TunnelBuilder& builder, const TunnelParams& params,
                         const char* sectionPath, float cameraZ, uint32_t seed, const TunnelMessages& messages) {
    return SizeStandardMesh(mesh, params) && AttachStandardBuilder(builder, mesh) &&
           builder.Init(seed, cameraZ, params.spacing, sectionPath, messages);
}
