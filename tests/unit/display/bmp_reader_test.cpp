// Image::Load on files the tests write: every refusal, both row orders in
// both file orders, palettes, and files that lie about their size.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "display/image.h"
#include "support/temp_dir.h"
#include "tools/bmp_file.h"

namespace {

class BmpReader : public ::testing::Test {
protected:
    // Loads `file` and returns the Image record's message ("" on success).
    std::string Load(const BmpFile& file, bool topDown = false) { return LoadBytes(file.Bytes(), topDown); }
    std::string LoadBytes(const std::string& bytes, bool topDown = false) {
        std::string path = dir.Write("image.bmp", bytes);
        return image.Load(path.c_str(), topDown) ? "" : Image::status.Message();
    }

    // Rows of 3 bytes per pixel, each row's bytes numbered from `row * 100`.
    static BmpFile Rows24(int32_t width, int32_t height) {
        BmpFile file;
        file.width = width;
        file.height = height;
        size_t pitch = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        int32_t rows = height < 0 ? -height : height;
        for (int32_t r = 0; r < rows; ++r)
            for (size_t i = 0; i < pitch; ++i) file.rows.push_back(static_cast<uint8_t>(r * 100 + i));
        return file;
    }

    // The first byte of each image row, row 0 first.
    std::string RowStarts() const {
        std::string starts;
        for (int32_t r = 0; r < image.height; ++r)
            starts += std::to_string(image.pixels[static_cast<size_t>(r) * image.pitch]) + " ";
        return starts;
    }

    TempDir dir;
    Image image;
};

constexpr const char* kLoad = "Image0::Load() error ";

TEST_F(BmpReader, RefusalsOfTheHeader) {
    EXPECT_EQ(image.Load(dir.File("missing.bmp").c_str(), false), 0);
    EXPECT_EQ(std::string(Image::status.Message()), std::string(kLoad) + "IO: can not open file");

    std::string valid = Rows24(1, 1).Bytes();
    for (size_t length : {size_t{0}, size_t{1}, size_t{13}, size_t{53}})
        EXPECT_EQ(LoadBytes(valid.substr(0, length)), std::string(kLoad) + "IO: .bmp header read error") << length;

    BmpFile file = Rows24(1, 1);
    file.magic = "BA";
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: not a .bmp file");
    file = Rows24(1, 1);
    file.compression = 1;  // RLE8
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: compression not supported");
    file.compression = 3;  // bit fields: taken, its masks are not read
    EXPECT_EQ(Load(file), "");
    file.compression = 0;
    file.infoSize = 12;  // the old core header lays its fields out otherwise
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: unsupported .bmp header");
    for (uint16_t bits : {0, 2, 7, 15, 48}) {
        file = Rows24(1, 1);
        file.bits = bits;
        EXPECT_EQ(Load(file), std::string(kLoad) + "IO: unsupported color depth") << bits;
        EXPECT_EQ(image.width, 0u);  // refused before the image was made
    }
}

TEST_F(BmpReader, NotYetSupportedDepthsFailAfterTheImageWasMade) {
    for (uint16_t bits : {4, 16, 32}) {
        BmpFile file;
        file.width = 3;
        file.height = 2;
        file.bits = bits;
        file.rows.assign(2 * ((3u * bits + 31) / 32 * 4), 0);
        file.colorTable.assign(bits == 4 ? 64 : 0, 0);
        EXPECT_EQ(Load(file), std::string(kLoad) + "GENERIC: " + std::to_string(bits) + " bpp not yet supported");
        EXPECT_EQ(image.width, 3u);
        EXPECT_EQ(image.format.bpp, bits);
    }
    EXPECT_EQ(image.format.rmask, 0xFF0000u);  // the 32-bit format
    EXPECT_EQ(image.format.amask, 0xFF000000u);
}

TEST_F(BmpReader, TruncatedPaletteOrPixelsAreRefused) {
    BmpFile eight;
    eight.width = 2;
    eight.height = 2;
    eight.bits = 8;
    eight.colorTable.assign(256 * 4, 7);
    eight.rows.assign(8, 1);
    std::string bytes = eight.Bytes();
    EXPECT_EQ(LoadBytes(bytes), "");
    EXPECT_EQ(LoadBytes(bytes.substr(0, bytes.size() - 1)), std::string(kLoad) + "IO: pixel read error");
    EXPECT_EQ(LoadBytes(bytes.substr(0, 54 + 100)), std::string(kLoad) + "IO: pixel read error");

    // The pixel offset claims the rows lie beyond the file's end.
    BmpFile far = Rows24(2, 2);
    far.pixelOffset = 4000;
    std::string farBytes = far.Bytes();
    EXPECT_EQ(LoadBytes(farBytes.substr(0, 54 + far.rows.size())), std::string(kLoad) + "IO: pixel read error");

    // A colour table cut short: the pixel offset points into the table.
    BmpFile shortTable = eight;
    shortTable.colorTable.assign(8, 7);
    shortTable.pixelOffset = 54 + 8;
    EXPECT_EQ(Load(shortTable), std::string(kLoad) + "IO: palette read error");
}

TEST_F(BmpReader, ColourTableLargerThanThePaletteIsRefused) {
    BmpFile one;
    one.width = 8;
    one.height = 1;
    one.bits = 1;
    one.colorsUsed = 3;  // a 1-bit palette has 2 entries
    one.colorTable.assign(3 * 4, 0x55);
    one.rows = {0xF0, 0, 0, 0};
    EXPECT_EQ(Load(one), std::string(kLoad) + "IO: palette read error");
    one.colorsUsed = 0xFFFFFFFF;
    EXPECT_EQ(Load(one), std::string(kLoad) + "IO: palette read error");
}

TEST_F(BmpReader, SizesThatDoNotFitAreRefusedBeforeAllocating) {
    BmpFile file = Rows24(1, 1);
    file.width = -4;
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: image size not supported");
    file.width = 4;
    file.height = INT32_MIN;
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: image size not supported");
    file.height = 1;
    file.width = INT32_MAX;
    file.bits = 24;  // a row of 6 GiB: more than a pitch can hold
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: image size not supported");

    // A 60-byte file claiming 30000 x 30000 pixels gets no 2.7 GB buffer.
    file = Rows24(1, 1);
    file.width = 30000;
    file.height = -30000;
    std::string bytes = file.Bytes();
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(LoadBytes(bytes), std::string(kLoad) + "IO: pixel read error");
    EXPECT_EQ(image.width, 0u);
    EXPECT_EQ(image.pixels, nullptr);
}

TEST_F(BmpReader, FailedCreateIsPassedOnAsTheDetail) {
    // A sparse file really long enough for 32768 x 32769 8-bit pixels.
    BmpFile file;
    file.width = 32768;
    file.height = 32769;
    file.bits = 8;
    file.colorTable.assign(1024, 0);
    std::string path = dir.Write("huge.bmp", file.Bytes());
    std::filesystem::resize_file(path, 1078 + uint64_t{32768} * 32769);
    EXPECT_EQ(image.Load(path.c_str(), false), 0);
    EXPECT_EQ(std::string(Image::status.Message()),
              "Image0::Load() error GENERIC: Image0::Create() error MEMORY: pixels not allocated");
}

TEST_F(BmpReader, RowsKeepTheirPaddingAndEveryByteIsRead) {
    ASSERT_EQ(Load(Rows24(5, 2)), "");
    EXPECT_EQ(image.width, 5u);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pitch, 16u);
    EXPECT_EQ(image.format.bpp, 24u);
    EXPECT_EQ(image.format.rmask, 0xFFu);  // the masks the reader has always given 24-bit images
    EXPECT_EQ(image.format.bmask, 0xFF0000u);
    EXPECT_EQ(image.pixels[15], 15);   // row 0's last fill byte
    EXPECT_EQ(image.pixels[31], 115);  // row 1's

    BmpFile one;
    one.width = 33;
    one.height = 1;
    one.bits = 1;
    one.colorTable.assign(8, 0);
    one.rows = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(Load(one), "");
    EXPECT_EQ(image.pitch, 8u);
    EXPECT_EQ(image.pixels[7], 8);
}

TEST_F(BmpReader, RowOrderInAllFourCombinations) {
    // Bottom-up file: the picture's bottom row is stored first.
    ASSERT_EQ(Load(Rows24(2, 3), false), "");
    EXPECT_EQ(RowStarts(), "0 100 200 ");
    ASSERT_EQ(Load(Rows24(2, 3), true), "");
    EXPECT_EQ(RowStarts(), "200 100 0 ");
    // Top-down file: the picture's top row is stored first.
    ASSERT_EQ(Load(Rows24(2, -3), false), "");
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(RowStarts(), "200 100 0 ");
    ASSERT_EQ(Load(Rows24(2, -3), true), "");
    EXPECT_EQ(RowStarts(), "0 100 200 ");
}

TEST_F(BmpReader, ZeroHeightReadsNoRows) {
    BmpFile file = Rows24(4, 0);
    ASSERT_TRUE(file.rows.empty());
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(image.height, 0);
    EXPECT_EQ(image.width, 4u);
}

TEST_F(BmpReader, ShortColourTableLeavesTheRestGray) {
    BmpFile eight;
    eight.width = 4;
    eight.height = 1;
    eight.bits = 8;
    eight.colorsUsed = 16;
    for (int i = 0; i < 16; ++i) eight.colorTable.insert(eight.colorTable.end(), {uint8_t(i), 1, 2, 0xAB});
    eight.rows = {0, 15, 16, 255};
    ASSERT_EQ(Load(eight), "");
    ASSERT_NE(image.palette, nullptr);
    EXPECT_EQ(image.palette[4 * 15], 15);
    EXPECT_EQ(image.palette[4 * 15 + 2], 2);
    EXPECT_EQ(image.palette[4 * 15 + 3], 0xAB);  // the fourth byte as stored
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_EQ(image.palette[4 * 16 + channel], 16);
        EXPECT_EQ(image.palette[4 * 255 + channel], 255);
    }
    EXPECT_EQ(image.palette[4 * 16 + 3], 0);
    EXPECT_EQ(std::string(image.pixels, image.pixels + 4), std::string("\x00\x0F\x10\xFF", 4));
}

TEST_F(BmpReader, LongerInformationHeaderKeepsItsColourTable) {
    BmpFile eight;
    eight.infoSize = 108;  // a version 4 header
    eight.width = 2;
    eight.height = 1;
    eight.bits = 8;
    eight.colorsUsed = 2;
    eight.colorTable = {10, 20, 30, 0, 40, 50, 60, 0};
    eight.rows = {1, 0, 0, 0};
    ASSERT_EQ(Load(eight), "");
    EXPECT_EQ(image.palette[0], 10);
    EXPECT_EQ(image.palette[6], 60);
    EXPECT_EQ(image.pixels[0], 1);
}

}  // namespace
