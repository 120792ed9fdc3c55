#pragma once
// Text on the window: GDI text on its device context, and display lists of
// the device context's font glyphs so that text can be drawn with GL too
// (GDI output does not show where the GL surface covers the window).
#include <cstddef>
#include <cstdint>

#include "platform/gl_context.h"

namespace platform {

// Fills the display lists listBase ... listBase + count - 1 with bitmaps of
// the characters first ... first + count - 1 in the device context's current
// font; calling list listBase + i draws character first + i at the raster
// position and advances it. Needs a current GL context. False on failure.
bool MakeFontLists(DeviceContext dc, uint32_t first, uint32_t count, uint32_t listBase);

// Writes `length` characters of `text` at (x, y) of the device context with
// its current font and colours.
void DrawDeviceText(DeviceContext dc, int32_t x, int32_t y, const char* text, size_t length);

}  // namespace platform
