#pragma once
// The standard tunnel: the one recipe by which the program, sctool, the
// benchmarks and the tests size a mesh and start a builder on it, so that all
// of them fly through the same tunnel for the same section file.
#include <cstdint>

#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"
#include "tunnel/tunnel_messages.h"

// The tunnel's size: sections in the ring, points per section, and the
// distance between sections in world units.
struct TunnelParams {
    uint32_t sections = 256;
    uint32_t sectionPoints = 64;
    float spacing = 0.03125f;
};

constexpr uint32_t kStandardWalkSeed = 8;
// Seconds of section generation one frame may spend in flight, so that a
// frame stays smooth at any section size and spacing; what is left over
// follows in the next frames.
constexpr double kFrameGenerationBudget = 0.003;
// Seconds one frame may spend generating the ring of a new build: most of a
// frame, since the camera waits and nothing of the tunnel is drawn until the
// ring is whole. The shipped file's ring of 256 x 64 takes about 3 ms, so it
// is whole in the first frame; a file the walker struggles with is spread
// over as many frames as it needs, with the program answering meanwhile.
constexpr double kFrameBuildBudget = 0.010;
// Texture repeats around each section and along the ring.
constexpr float kTextureAround = 2.0f;
constexpr float kTextureAlong = 16.0f;

// The look-ahead margin of a ring of `sections`: half of it, less the
// segments kept behind the camera and at the window's ends.
uint32_t StandardMargin(uint32_t sections);

// Sizes the mesh for the parameters and gives it the standard texture coordinates.
bool SizeStandardMesh(Orbalt2& mesh, const TunnelParams& params);

// Attaches the builder to the sized mesh with the standard margin.
bool AttachStandardBuilder(TunnelBuilder& builder, Orbalt2& mesh);

// Vertex colours that show the orientation of the wall: each vertex's normal
// as its colour (negative parts are clamped when drawn).
void ColorFromNormals(Orbalt2& mesh);

// All of it: sizes the mesh, attaches the builder and generates the ring
// around cameraZ from the section file with the given walk seed.
bool BuildStandardTunnel(Orbalt2& mesh, TunnelBuilder& builder, const TunnelParams& params,
                         const char* sectionPath, float cameraZ = 0.0f, uint32_t seed = kStandardWalkSeed,
                         const TunnelMessages& messages = TunnelMessages{});
