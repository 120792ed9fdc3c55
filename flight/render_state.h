#pragma once
// The fixed OpenGL state the whole program draws in (projection, starting
// camera, depth test, culling, light, material, fog); it also looks up the
// optional extensions.
#include "platform/gl_headers.h"

// Distance at which linear fog reaches the fog colour; twice it is the far plane.
extern const float fogEnd;

// Sets the projection, the starting camera and the fixed GL state from the
// settings and the window size, and looks up the extensions. Needs a current
// GL context; always returns true.
bool InitRenderState();
