#pragma once
// The program's texture: a .bmp file uploaded as an OpenGL texture object.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "display/image.h"
#include "display/texture_fit.h"
#include "platform/console.h"
#include "platform/files.h"

// Loads `fileName` (UTF-8) and uploads it as a 2D texture that repeats and
// filters linearly; returns the texture name, 0 when there is no file name,
// the file cannot be loaded, or the driver refuses the upload (each reported
// on the console, and the refusal in the log too). A file that cannot be
// opened is noted in `openFailure`, when one is given, for the caller to
// report. An image larger than the current context holds, or not of powers of
// two where it needs them, is scaled to fit first, with a line on the console
// and in the log naming both sizes.
uint32_t InitTexture(const char* fileName, Console& console, std::FILE* log = nullptr,
                     platform::OpenFailure* openFailure = nullptr);
// The same within the given limits.
uint32_t InitTexture(const char* fileName, const TextureLimits& limits, Console& console, std::FILE* log = nullptr,
                     platform::OpenFailure* openFailure = nullptr);

// What the current context holds.
TextureLimits CurrentTextureLimits();

// The image's pixels as tightly packed blue-green-red rows, row 0 first:
// 24-bit rows without their file padding, 1- and 8-bit indices looked up in
// the palette. Empty for any other depth.
std::vector<uint8_t> BgrTexels(const Image& image);
