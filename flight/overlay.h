#pragma once
// The information overlay: the world's axes (showAxes), and with showInfo the
// collision boxes of the camera's segment, the nearest wall triangle, the
// camera's tunnel coordinates in the window title and the frame rate.
#include <cstddef>
#include <cstdint>

#include "display/glwindow.h"
#include "display/glyph_lists.h"
#include "flight/camera.h"
#include "flight/collision.h"
#include "tunnel/orbalt2.h"

// Points at the axis ends, the three axes and the letters X, Y and Z, in
// world coordinates. Leaves the point size at 3 and the line width at 1.
void DrawAxes();

// The overlay steps after the tunnel of segments first ... first + count - 1
// is drawn: boxes of the camera's segment and the next, the nearest triangle
// in yellow, and the title line in the window's title. Lighting stays off
// until the next frame.
void DrawTunnelInformation(const Orbalt2& mesh, const CollisionState& collision, const Camera& camera,
                           platform::WindowHandle window, int32_t first, uint32_t count);

// The title line: camera z, the camera's segment, the z of the view
// direction, and the first and one-past-last drawn segment.
void FormatTitle(char* text, size_t size, float z, int32_t segment, float directionZ, int32_t first, int32_t end);

// Frames per second for a frame time in seconds; a frame time of 0 (no
// high-resolution counter, or two frames within one count) reads "inf".
void FormatFrameRate(char* text, size_t size, float seconds);

// The frame rate at the top left of the window: drawn with GL as the last
// thing of the frame, or with the device context's own text output while
// there is no rendering context. The GL text needs the context's glyph
// lists; without them (null) it is not drawn.
void DrawFrameRate(const GLwindow& window, GlyphLists* glyphs, float frameTime);
