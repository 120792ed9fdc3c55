#pragma once
// The fixed OpenGL state the whole program draws in (projection, starting
// camera, depth test, culling, light, material, fog).
#include "display/glwindow.h"
#include "flight/camera.h"
#include "platform/gl_headers.h"

// Distance at which linear fog reaches the fog colour; twice it is the far plane.
extern const float fogEnd;

// The switches of the fixed state that the user can change.
struct RenderStateOptions {
    bool lighting = true;
    bool fog = true;
    bool depthTest = true;
};

// Sets the projection (from the window's size), the starting camera and the
// fixed GL state. Needs a current GL context; always returns true.
bool InitRenderState(const RenderStateOptions& options, const GLwindow& window, Camera& camera);
