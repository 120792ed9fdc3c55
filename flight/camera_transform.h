#pragma once
// The camera transform: the modelview matrix that puts the camera at the origin looking along -z.
#include "flight/camera.h"

// Selects GL_MODELVIEW and loads the view from `view`: rotations by -roll
// about z, -pitch about x, -yaw about y, then the translation by -position.
void LoadCameraTransform(const Camera& view);
