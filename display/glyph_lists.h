#pragma once
// The printable characters of a device context's font as display lists of
// one rendering context, for text drawn with GL (GDI text does not show where
// the GL surface covers the window). Made on first use, deleted with the
// context they belong to.
#include <cstdint>

#include "platform/gl_context.h"
#include "platform/gl_headers.h"

class GlyphLists {
public:
    // The characters that get lists; others are not drawn.
    static constexpr uint32_t kFirstChar = 32;
    static constexpr uint32_t kCharCount = 96;

    GlyphLists() = default;
    GlyphLists(const GlyphLists&) = delete;
    GlyphLists& operator=(const GlyphLists&) = delete;

    // The list of kFirstChar; list base + i draws character kFirstChar + i.
    // The first call makes the lists from the font of dc in the current
    // context; 0, then and on every later call, when they cannot be made.
    GLuint Base(platform::DeviceContext dc);
    // Deletes the lists; their context must be current. The next Base makes
    // them anew.
    void Delete();

private:
    bool tried = false;
    GLuint base = 0;
};
