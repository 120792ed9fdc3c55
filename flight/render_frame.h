#pragma once
// One frame of the flight: clear, camera transform, the optional axes, the
// visible stretch of tunnel (with the optional information overlay), the
// buffer swap and the optional frame-rate text.
#include <cstdint>

#include "flight/camera.h"

// Draws one complete frame from the program-wide camera and presents it.
// Without a rendering context only the frame-rate text can be drawn.
void RenderFrame();

// Draws the stretch of tunnel in front of the camera and, with showInfo, the
// information overlay. Nothing while no tunnel is built.
void DrawTunnel();

// Cosine of the angle between the view axis and a corner ray of the view
// frustum, from the field of view, aspect ratio and near distance.
float CornerCosine(const Camera& view);

// First of the `lookahead` segments drawn for a camera in `cameraSegment`
// whose view direction has z component `directionZ`: looking toward +z the
// range starts just behind the camera, looking toward -z it ends just ahead
// of it, and a view across the tunnel centres it, shifted toward where the
// view leans.
int32_t FirstVisibleSegment(int32_t cameraSegment, uint32_t lookahead, float directionZ, float cornerCosine);
