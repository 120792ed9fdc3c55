#include "display/glyph_lists.h"

#include "platform/text.h"

namespace {
// The glyph bitmaps are unpacked as the lists are made, by the current pixel
// store state: other uploads (the texture) leave theirs, so the defaults,
// which the glyph rows follow, are set for the time being.
bool MakeGlyphs(platform::DeviceContext dc, GLuint base) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const bool made = platform::MakeFontLists(dc, GlyphLists::kFirstChar, GlyphLists::kCharCount, base);
    glPopClientAttrib();
    return made;
}
}  // namespace

GLuint GlyphLists::Base(platform::DeviceContext dc) {
    if (tried) return base;
    tried = true;
    base = glGenLists(kCharCount);
    if (base != 0 && !MakeGlyphs(dc, base)) {
        glDeleteLists(base, kCharCount);
        base = 0;
    }
    // Some drivers leave an error behind although the glyphs were made.
    while (glGetError() != GL_NO_ERROR) {
    }
    return base;
}

void GlyphLists::Delete() {
    if (base != 0) glDeleteLists(base, kCharCount);
    base = 0;
    tried = false;
}
