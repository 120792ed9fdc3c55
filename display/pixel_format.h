#pragma once
// Pixel formats as the program sees them: the format it asks for, the text
// that describes a format in the log, the logical palette a palette format
// needs, and the search of an extension string.
#include <string>
#include <vector>

#include "platform/gl_context.h"

// The standard request: a double-buffered RGBA window format with a 16-bit
// depth buffer and `colorBits` colour bits.
platform::PixelFormat PixelFormatRequest(uint8_t colorBits);

// Three lines describing format `index`; "no pixel format" without a format.
std::string PixelFormatText(const platform::PixelFormat* format, int index);

// The 2^cColorBits entries of the palette a PFD_NEED_PALETTE format wants,
// each channel spread evenly over 0 to 255. Empty for formats of more than
// 8 colour bits, which no palette can serve.
std::vector<platform::PaletteEntry> LogicalPaletteEntries(const platform::PixelFormat& format);

// True when `name` is one of the blank-separated names in `extensions`;
// prefixes and longer names never match. A null list matches nothing.
bool ExtensionListed(const char* extensions, const char* name);
