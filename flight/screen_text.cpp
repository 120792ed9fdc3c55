#include "flight/screen_text.h"

#include <cstring>

#include "platform/gl_headers.h"

namespace {
constexpr GLuint kFirstChar = GlyphLists::kFirstChar;
// Line height and baseline of the window's default font, in pixels from the top.
constexpr int kLineHeight = 16;
constexpr int kBaseline = 13;

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
    // NOLINTNEXTLINE(readability-suspicious-call-argument): left, right, bottom, top: the width is the right edge
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

void DrawScreenText(const GLwindow& window, GlyphLists& glyphs, const char* text) {
    const GLuint base = glyphs.Base(window.hdc);
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
