// Image::Create, GrayPalette, Destroy and RowBytes.
#include <gtest/gtest.h>

#include "display/texture_fit.h"

#include <string>

#include "display/image.h"

namespace {

std::string Message() { return Image::status.Message(); }

TEST(RowBytes, RoundsBitsUpToBytesAndBytesUpToTheAlignment) {
    EXPECT_EQ(Image::RowBytes(5, 24, 1), 15u);
    EXPECT_EQ(Image::RowBytes(5, 24, 4), 16u);
    EXPECT_EQ(Image::RowBytes(33, 1, 4), 8u);
    EXPECT_EQ(Image::RowBytes(33, 1, 1), 5u);
    EXPECT_EQ(Image::RowBytes(4, 24, 4), 12u);  // already a multiple
    EXPECT_EQ(Image::RowBytes(0, 24, 4), 0u);
    EXPECT_EQ(Image::RowBytes(3, 4, 2), 2u);
    // No width overflows it.
    EXPECT_EQ(Image::RowBytes(0xFFFFFFFFu, 32, 4), 0x3FFFFFFFCull);
}

TEST(GrayPalette, SpreadsEntriesFromBlackToWhite) {
    uint8_t two[8];
    ASSERT_EQ(Image::GrayPalette(two, 2), 1);
    EXPECT_EQ(std::string(two, two + 8), std::string("\0\0\0\0\xFF\xFF\xFF\0", 8));
    uint8_t sixteen[64];
    ASSERT_EQ(Image::GrayPalette(sixteen, 16), 1);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(sixteen[4 * i], 17 * i);
        EXPECT_EQ(sixteen[4 * i + 1], 17 * i);
        EXPECT_EQ(sixteen[4 * i + 2], 17 * i);
        EXPECT_EQ(sixteen[4 * i + 3], 0);
    }
    uint8_t one[4] = {9, 9, 9, 9};
    EXPECT_EQ(Image::GrayPalette(one, 1), 1);  // no ramp, no division by zero
    EXPECT_EQ(one[0], 0);

    EXPECT_EQ(Image::GrayPalette(nullptr, 4), 0);
    EXPECT_EQ(Message(), "Image0::GrayPalette() error INVALIDARG: no palette");
}

TEST(ImageCreate, IndexedImageGetsAGrayPaletteAndOwnPixels) {
    Image image;
    ASSERT_EQ(image.Create(10, 3, 12, {8, 0, 0, 0, 0}, nullptr), 1);
    EXPECT_EQ(image.width, 10u);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.pitch, 12u);
    EXPECT_TRUE(image.ownsPixels);
    ASSERT_NE(image.pixels, nullptr);
    ASSERT_NE(image.palette, nullptr);
    EXPECT_EQ(image.palette[4 * 16], 16);
    EXPECT_EQ(image.palette[4 * 255 + 2], 255);
    image.pixels[35] = 1;  // the whole height x pitch is there (ASan checks)
    image.Destroy();
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(image.palette, nullptr);
    EXPECT_EQ(image.width, 0u);
    EXPECT_EQ(image.height, 0);
}

TEST(ImageCreate, DirectColorWithACallerBufferHasNoPalette) {
    uint8_t buffer[2 * 8];
    Image image;
    ASSERT_EQ(image.Create(2, 2, 8, {24, 0, 0xFF, 0xFF00, 0xFF0000}, buffer), 1);
    EXPECT_EQ(image.pixels, buffer);
    EXPECT_FALSE(image.ownsPixels);
    EXPECT_EQ(image.palette, nullptr);
    EXPECT_EQ(image.format.rmask, 0xFFu);
    // 32 bits: every mask fits.
    EXPECT_EQ(image.Create(1, 1, 4, {32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF}, nullptr), 1);
}

TEST(ImageCreate, RefusalsInTheirOrderLeaveTheImageEmpty) {
    struct Case {
        uint32_t width, pitch;
        int32_t height;
        ImageFormat format;
        const char* message;
    } cases[] = {
        {4, 16, 1, {0, 0, 0, 0, 0}, "UNSUPPORTED: bits per pixel"},
        {4, 16, 1, {33, 0, 0, 0, 0}, "UNSUPPORTED: bits per pixel"},
        {5, 14, 1, {24, 0, 0xFF, 0xFF00, 0xFF0000}, "INVALIDARG: pitch too small"},
        {4, 16, 1, {16, 0, 0xFF00, 0x0FF0, 0}, "INVALIDARG: argb masks overlap"},
        {4, 16, 1, {16, 0x1, 0, 0, 0x1}, "INVALIDARG: argb masks overlap"},
        {4, 16, 1, {16, 0, 0x10000, 0, 0}, "INVALIDARG: wrong argb masks for bpp"},
        {4, 16, 1, {12, 0, 0, 0, 0}, "UNSUPPORTED: palettized image bpp"},
        {4, 16, -1, {8, 0, 0, 0, 0}, "INVALIDARG: negative height"},
        // Far more than any image the program may hold: refused, not attempted.
        {0x40000000, 0x40000000, 2, {8, 0, 0, 0, 0}, "MEMORY: pixels not allocated"},
    };
    for (const Case& c : cases) {
        Image image;
        ASSERT_EQ(image.Create(2, 2, 8, {24, 0, 0xFF, 0xFF00, 0xFF0000}, nullptr), 1);
        EXPECT_EQ(image.Create(c.width, c.height, c.pitch, c.format, nullptr), 0) << c.message;
        EXPECT_EQ(Message(), std::string("Image0::Create() error ") + c.message);
        EXPECT_EQ(image.pixels, nullptr) << c.message;
        EXPECT_EQ(image.palette, nullptr) << c.message;
        EXPECT_EQ(image.width, 0u) << c.message;
    }
}

TEST(TextureFit, SidesAreCutOnlyWhereTheDriverNeedsIt) {
    EXPECT_EQ(FittedSize({256, 256}, {1024, false}).width, 256u);  // the shipped texture as it is
    const TextureSize npot = FittedSize({300, 200}, {1024, false});
    EXPECT_EQ(npot.width, 256u);
    EXPECT_EQ(npot.height, 128u);
    const TextureSize kept = FittedSize({300, 200}, {1024, true});
    EXPECT_EQ(kept.width, 300u);
    EXPECT_EQ(kept.height, 200u);
    const TextureSize wide = FittedSize({20000, 4}, {16384, true});
    EXPECT_EQ(wide.width, 16384u);
    EXPECT_EQ(wide.height, 4u);
    EXPECT_EQ(FittedSize({20000, 3}, {1024, false}).width, 1024u);
    EXPECT_EQ(FittedSize({20000, 3}, {1024, false}).height, 2u);
    EXPECT_EQ(FittedSize({0, 0}, {64, false}).width, 0u);
}

TEST(TextureFit, TheBoxFilterAveragesWhatEachTexelCovers) {
    // Four texels to two: pairs averaged, each channel on its own.
    const std::vector<uint8_t> four = {0, 10, 200, 100, 30, 0, 50, 50, 50, 51, 52, 53};
    EXPECT_EQ(ScaleTexels(four, {4, 1}, {2, 1}), (std::vector<uint8_t>{50, 20, 100, 51, 51, 52}));
    // Three to two: the middle texel shared by half.
    const std::vector<uint8_t> three = {0, 0, 0, 90, 90, 90, 180, 180, 180};
    EXPECT_EQ(ScaleTexels(three, {3, 1}, {2, 1}), (std::vector<uint8_t>{30, 30, 30, 150, 150, 150}));
    // Two rows to one.
    EXPECT_EQ(ScaleTexels({10, 20, 30, 30, 40, 50}, {1, 2}, {1, 1}), (std::vector<uint8_t>{20, 30, 40}));
    EXPECT_EQ(ScaleTexels(four, {4, 1}, {4, 1}), four);
}

}  // namespace
