#pragma once
// Control of the window-text stand-in: what was written with GDI, and the
// font lists that were asked for.
#include <cstdint>
#include <string>
#include <vector>

namespace platform::stub {

// The stand-in's glyphs: every character but the blank is a solid box of
// this size, and every character advances the raster position by the width.
constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 10;

struct DeviceText {
    int32_t x, y;
    std::string text;
};

struct TextState {
    bool fontListsSucceed = true;         // scripted result of MakeFontLists
    std::vector<uint32_t> fontListBases;  // one per MakeFontLists call
    // The pixel store state the last MakeFontLists call found, which a real
    // one unpacks its glyph rows by.
    int32_t unpackRowLength = -1;
    int32_t unpackAlignment = -1;
    std::vector<DeviceText> deviceTexts;  // one per DrawDeviceText call
};

TextState& textState();
void ResetText();  // back to the defaults above, nothing recorded

}  // namespace platform::stub
