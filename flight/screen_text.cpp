#include "flight/screen_text.h"

#include <cstring>

#include "platform/gl_headers.h"
#include "platform/text.h"

namespace {
// The printable characters of the font become lists; others are not drawn.
constexpr uint32_t kFirstChar = 32;
constexpr uint32_t kCharCount = 96;
// Line height and baseline of the window's default font, in pixels from the top.
constexpr int kLineHeight = 16;
constexpr int kBaseline = 13;

// The glyph lists live in one rendering context; a new context needs new ones.
struct FontLists {
    platform::RenderContext context = nullptr;
    GLuint base = 0;  // 0 when the glyphs could not be made for `context`
};
FontLists fontLists;

// The glyph bitmaps are unpacked as the lists are made, by the current pixel
// store state: other uploads (the texture) leave theirs, so the defaults,
// which the glyph rows follow, are set for the time being.
bool MakeGlyphs(const GLwindow& window, GLuint base) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    const bool made = platform::MakeFontLists(window.hdc, kFirstChar, kCharCount, base);
    glPopClientAttrib();
    return made;
}

GLuint GlyphListBase(const GLwindow& window) {
    if (fontLists.context == window.hglrc) return fontLists.base;
    fontLists.context = window.hglrc;
    fontLists.base = glGenLists(kCharCount);
    if (fontLists.base != 0 && !MakeGlyphs(window, fontLists.base)) {
        glDeleteLists(fontLists.base, kCharCount);
        fontLists.base = 0;
    }
    // Some drivers leave an error behind although the glyphs were made.
    while (glGetError() != GL_NO_ERROR) {
    }
    return fontLists.base;
}

void CallGlyphs(int32_t height, GLuint base, const char* text, GLsizei length) {
    glRasterPos2i(0, height - kBaseline);
    glListBase(base - kFirstChar);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
}

// The width the text advances, found by drawing it with colour writes off.
GLfloat TextWidth(int32_t height, GLuint base, const char* text, GLsizei length) {
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    CallGlyphs(height, base, text, length);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    GLfloat position[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

// Window pixels as coordinates, (0, 0) at the bottom left.
void PushPixelProjection(int32_t width, int32_t height) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void PopPixelProjection() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
}  // namespace

void DrawScreenText(const GLwindow& window, const char* text) {
    const GLuint base = GlyphListBase(window);
    if (base == 0) return;
    const auto length = static_cast<GLsizei>(std::strlen(text));
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    PushPixelProjection(window.width, window.height);

    const GLfloat width = TextWidth(window.height, base, text, length);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRectf(0.0f, static_cast<GLfloat>(window.height - kLineHeight), width, static_cast<GLfloat>(window.height));
    glColor3f(0.0f, 0.0f, 0.0f);
    CallGlyphs(window.height, base, text, length);

    PopPixelProjection();
    glPopAttrib();
}
