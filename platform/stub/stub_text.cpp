// The window-text stand-in: records GDI text, and makes real GL display
// lists of box glyphs so that text drawn with GL leaves pixels to test.
#include <vector>

#include "platform/gl_headers.h"
#include "platform/stub/stub_text_control.h"
#include "platform/text.h"

namespace platform {
namespace stub {
TextState& textState() {
    static TextState* instance = new TextState;
    return *instance;
}
void ResetText() { textState() = TextState{}; }
}  // namespace stub

bool MakeFontLists(DeviceContext, uint32_t first, uint32_t count, uint32_t listBase) {
    stub::TextState& text = stub::textState();
    text.fontListBases.push_back(listBase);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &text.unpackRowLength);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &text.unpackAlignment);
    if (!text.fontListsSucceed) return false;
    // One byte per row is enough for the glyph width; every bit set.
    const std::vector<GLubyte> solid(stub::kGlyphHeight, 0xFF);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (uint32_t i = 0; i < count; ++i) {
        const bool blank = first + i == ' ';
        glNewList(listBase + i, GL_COMPILE);
        glBitmap(blank ? 0 : stub::kGlyphWidth, blank ? 0 : stub::kGlyphHeight, 0.0f, 0.0f,
                 static_cast<GLfloat>(stub::kGlyphWidth), 0.0f, solid.data());
        glEndList();
    }
    glPopClientAttrib();
    return true;
}

void DrawDeviceText(DeviceContext, int32_t x, int32_t y, const char* text, size_t length) {
    stub::textState().deviceTexts.push_back({x, y, std::string(text, length)});
}

}  // namespace platform
