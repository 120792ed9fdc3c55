#pragma once
// Fitting an image to what the driver holds: the largest texture size it
// accepts, and whether it accepts sizes that are not powers of two (OpenGL
// 2.0 or GL_ARB_texture_non_power_of_two; the software renderer Windows falls
// back to offers neither and holds at most 1024 x 1024). An image that does
// not fit is scaled down with a box filter before the upload.
#include <cstdint>
#include <vector>

struct TextureLimits {
    uint32_t largest = 64;  // GL_MAX_TEXTURE_SIZE; OpenGL promises at least 64
    bool anySize = false;   // sizes other than powers of two are accepted
};

struct TextureSize {
    uint32_t width = 0, height = 0;
};

// The size the image is uploaded at: its own where the driver holds it,
// else each side cut to the largest the driver holds (a power of two where
// the driver needs one). Never larger than the image.
TextureSize FittedSize(TextureSize image, const TextureLimits& limits);

// Tightly packed 3-byte texels, scaled from one size to a smaller or equal
// one: each output texel is the area-weighted mean of the texels it covers.
std::vector<uint8_t> ScaleTexels(const std::vector<uint8_t>& texels, TextureSize from, TextureSize to);
