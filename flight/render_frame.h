#pragma once
// One frame of the flight: clear, camera transform, the optional axes, the
// visible stretch of tunnel (with the optional information overlay), the
// buffer swap and the optional frame-rate text.
#include <cstdint>

#include "display/glwindow.h"
#include "display/glyph_lists.h"
#include "flight/camera.h"
#include "flight/collision.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"

// What a frame shows beside the tunnel, and how.
struct FrameOptions {
    bool lighting = true;
    bool depthTest = true;
    bool showInfo = false;  // boxes, nearest triangle, title line and frame rate
    bool showAxes = false;
    GlyphLists* glyphs = nullptr;  // the window's context's, for the frame-rate text
};

// The tunnel as a frame sees it: the mesh to draw, the builder that says
// whether there is a tunnel and how far ahead it reaches, and the collision
// step's findings (the camera's segment, the nearest triangle).
struct TunnelView {
    Orbalt2& mesh;
    const TunnelBuilder& builder;
    const CollisionState& collision;
};

// Draws one complete frame into the window and presents it; the camera's
// direction is brought up to date from its yaw and pitch first. Without a
// rendering context only the frame-rate text can be drawn.
void RenderFrame(const GLwindow& window, const FrameOptions& options, const TunnelView& tunnel, Camera& camera,
                 float frameTime);

// Draws the stretch of tunnel in front of the camera and, with showInfo, the
// information overlay. Nothing while no tunnel is built.
void DrawTunnel(const GLwindow& window, const FrameOptions& options, const TunnelView& tunnel,
                const Camera& camera);

// Cosine of the angle between the view axis and a corner ray of the view
// frustum, from the field of view, aspect ratio and near distance.
float CornerCosine(const Camera& view);

// First of the `lookahead` segments drawn for a camera in `cameraSegment`
// whose view direction has z component `directionZ`: looking toward +z the
// range starts just behind the camera, looking toward -z it ends just ahead
// of it, and a view across the tunnel centres it, shifted toward where the
// view leans.
int32_t FirstVisibleSegment(int32_t cameraSegment, uint32_t lookahead, float directionZ, float cornerCosine);
