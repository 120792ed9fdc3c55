#pragma once
// The program's texture: a .bmp file uploaded as an OpenGL texture object.
#include <cstdint>
#include <vector>

#include "display/image.h"
#include "platform/console.h"

// Loads `fileName` and uploads it as a 2D texture that repeats and filters
// linearly; returns the texture name, 0 when there is no file name or the
// file cannot be loaded (reported on the console).
uint32_t InitTexture(const char* fileName, Console& console);

// The image's pixels as tightly packed blue-green-red rows, row 0 first:
// 24-bit rows without their file padding, 1- and 8-bit indices looked up in
// the palette. Empty for any other depth.
std::vector<uint8_t> BgrTexels(const Image& image);
