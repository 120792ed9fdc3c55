// The pixel-format request, its log text, the palette of palette formats and
// the extension search.
#include <gtest/gtest.h>

#include "display/pixel_format.h"

namespace {

using platform::PixelFormat;
namespace pfd = platform::pfd;

TEST(PixelFormatRequest, DoubleBufferedRgbaWindowWithDepth16) {
    PixelFormat request = PixelFormatRequest(16);
    EXPECT_EQ(request.nSize, 40);
    EXPECT_EQ(request.nVersion, 1);
    EXPECT_EQ(request.dwFlags, 0x25u);
    EXPECT_EQ(request.iPixelType, pfd::TypeRgba);
    EXPECT_EQ(request.cColorBits, 16);
    EXPECT_EQ(request.cDepthBits, 16);
    EXPECT_EQ(request.cAlphaBits + request.cAccumBits + request.cStencilBits + request.cAuxBuffers, 0);
    EXPECT_EQ(request.dwLayerMask | request.dwVisibleMask | request.dwDamageMask, 0u);
}

TEST(PixelFormatText, NoFormat) { EXPECT_EQ(PixelFormatText(nullptr, 3), "no pixel format"); }

TEST(PixelFormatText, NoFlagsPaddedIndexAndZeroShifts) {
    PixelFormat format;
    format.dwFlags = 0;
    EXPECT_EQ(PixelFormatText(&format, 7),
              "ID  7: flags:  \n"
              " RGBA   0, r0:g0:b0:a0, r<<00 g<<00 b<<00 a<<00, ACCUM  0, r0:g0:b0:a0 \n"
              " depth 0, stencil 0, auxbuffers 0, overlay 0, underlay 0, visiblemask 0 \n");
}

TEST(PixelFormatText, EveryFlagInItsOrder) {
    PixelFormat format;
    format.dwFlags = 0x1FFF;
    EXPECT_EQ(PixelFormatText(&format, 123).substr(0, PixelFormatText(&format, 123).find('\n') + 1),
              "ID 123: flags: WINDOW BITMAP GDI OPENGL GEN_ACCEL GENERIC PALETTE SYSPALETTE DOUBLEBUFFER STEREO "
              "SWAPLAYER SWAPCOPY SWAPEXCHANGE  \n");
}

TEST(PixelFormatText, WineLikeFormatAndAnIndexFormat) {
    PixelFormat format;
    format.dwFlags = pfd::DrawToWindow | pfd::SupportOpenGL | pfd::DoubleBuffer;
    format.cColorBits = 32;
    format.cRedBits = format.cGreenBits = format.cBlueBits = format.cAlphaBits = 8;
    format.cRedShift = 24;
    format.cGreenShift = 16;
    format.cBlueShift = 8;
    format.cAccumBits = 64;
    format.cAccumRedBits = format.cAccumGreenBits = format.cAccumBlueBits = format.cAccumAlphaBits = 16;
    format.cDepthBits = 24;
    format.cStencilBits = 8;
    format.bReserved = 0x21;
    format.dwVisibleMask = 5;
    EXPECT_EQ(PixelFormatText(&format, 13),
              "ID 13: flags: WINDOW OPENGL DOUBLEBUFFER  \n"
              " RGBA  32, r8:g8:b8:a8, r<<24 g<<16 b<<08 a<<00, ACCUM 64, r16:g16:b16:a16 \n"
              " depth 24, stencil 8, auxbuffers 0, overlay 1, underlay 2, visiblemask 5 \n");
    format.iPixelType = pfd::TypeColorIndex;
    format.cColorBits = 8;
    format.cAccumBits = 255;  // byte fields print unsigned
    std::string text = PixelFormatText(&format, 1);
    EXPECT_NE(text.find("\n INDEX  8, "), std::string::npos) << text;
    EXPECT_NE(text.find("ACCUM 255,"), std::string::npos) << text;
}

TEST(LogicalPalette, ThreeThreeTwoLevels) {
    PixelFormat format;
    format.dwFlags = pfd::NeedPalette;
    format.cColorBits = 8;
    format.cRedBits = 3;
    format.cRedShift = 0;
    format.cGreenBits = 3;
    format.cGreenShift = 3;
    format.cBlueBits = 2;
    format.cBlueShift = 6;
    auto entries = LogicalPaletteEntries(format);
    ASSERT_EQ(entries.size(), 256u);
    const int red[] = {0, 36, 72, 109, 145, 182, 218, 255};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(entries[i].red, red[i]) << i;
        EXPECT_EQ(entries[i * 8].green, red[i]) << i;
    }
    const int blue[] = {0, 85, 170, 255};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(entries[i * 64].blue, blue[i]) << i;
    EXPECT_EQ(entries[255].red, 255);
    EXPECT_EQ(entries[255].green, 255);
    EXPECT_EQ(entries[255].blue, 255);
    for (const auto& entry : entries) EXPECT_EQ(entry.flags, 0);
}

TEST(LogicalPalette, ChannelsWithoutBitsAndOddShiftsStayDark) {
    PixelFormat format;
    format.cColorBits = 4;
    format.cRedBits = 4;
    format.cGreenBits = 0;  // would divide by zero
    format.cBlueBits = 2;
    format.cBlueShift = 200;  // past every index bit
    auto entries = LogicalPaletteEntries(format);
    ASSERT_EQ(entries.size(), 16u);
    EXPECT_EQ(entries[15].red, 255);
    EXPECT_EQ(entries[5].red, 85);
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.green, 0);
        EXPECT_EQ(entry.blue, 0);
    }
    format.cColorBits = 16;  // no logical palette serves this
    EXPECT_TRUE(LogicalPaletteEntries(format).empty());
}

TEST(ExtensionListed, WholeNamesOnly) {
    const char* list = "GL_EXT_bgra GL_EXT_compiled_vertex_array WGL_EXT_swap_control";
    EXPECT_TRUE(ExtensionListed(list, "GL_EXT_bgra"));
    EXPECT_TRUE(ExtensionListed(list, "GL_EXT_compiled_vertex_array"));
    EXPECT_TRUE(ExtensionListed(list, "WGL_EXT_swap_control"));
    EXPECT_FALSE(ExtensionListed(list, "GL_EXT_compiled"));  // first 15 characters
    EXPECT_FALSE(ExtensionListed(list, "GL_EXT_compiled_vertex_array_more"));
    EXPECT_FALSE(ExtensionListed(list, "EXT_bgra"));
    EXPECT_FALSE(ExtensionListed(list, "WGL_EXT_swap_control "));
    EXPECT_FALSE(ExtensionListed(list, ""));
    EXPECT_FALSE(ExtensionListed("GL_EXT_bgra ", ""));
    EXPECT_FALSE(ExtensionListed(nullptr, "GL_EXT_bgra"));
    EXPECT_FALSE(ExtensionListed("", "GL_EXT_bgra"));
    EXPECT_TRUE(ExtensionListed("GL_EXT_bgra", "GL_EXT_bgra"));
    // Wine appends its WGL names after two blanks.
    EXPECT_TRUE(ExtensionListed("GL_NV_ES1_1_compatibility  WGL_EXT_extensions_string WGL_EXT_swap_control ",
                                "WGL_EXT_swap_control"));
}

}  // namespace
