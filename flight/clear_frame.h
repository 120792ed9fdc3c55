#pragma once
// The frame shown while nothing is drawn into it yet: the sky colour alone.
// Frame rendering of the tunnel takes its place.

// Clears the buffers (the depth buffer too when the depth test is on) and
// presents them; does nothing without a rendering context.
void RenderClearFrame();
