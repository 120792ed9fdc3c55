#pragma once
// The fixed OpenGL state the whole program draws in (projection, starting
// camera, depth test, culling, light, material, fog); it also looks up the
// optional extensions.
#include "display/glwindow.h"
#include "flight/camera.h"
#include "platform/console.h"
#include "platform/gl_headers.h"

// Distance at which linear fog reaches the fog colour; twice it is the far plane.
extern const float fogEnd;

// The switches of the fixed state that the user can change.
struct RenderStateOptions {
    bool lighting = true;
    bool fog = true;
    bool depthTest = true;
    bool lockArrays = true;  // the compiled-array lock, where the context offers it
};

// Sets the projection (from the window's size), the starting camera and the
// fixed GL state, and looks up the extensions, naming missing ones on the
// console. Needs a current GL context; always returns true.
bool InitRenderState(const RenderStateOptions& options, const GLwindow& window, Camera& camera, Console& console);
