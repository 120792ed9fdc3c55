// Image::Load on files the tests write: every refusal, both row orders in
// both file orders, palettes, and files that lie about their size.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "display/image.h"
#include "display/texture.h"
#include "platform/stub/stub_control.h"
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
    EXPECT_EQ(image.Load(nullptr, false), 0);
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
    file.compression = 4;  // JPEG
    EXPECT_EQ(Load(file), std::string(kLoad) + "IO: compression not supported");
    file.compression = 0;
    for (uint32_t size : {0u, 4u, 11u, 13u, 15u, 65u, 100u, 125u}) {
        file.infoSize = size;  // no header of this length exists
        EXPECT_EQ(Load(file), std::string(kLoad) + "IO: unsupported .bmp header") << size;
    }
    valid.replace(14, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(LoadBytes(valid), std::string(kLoad) + "IO: unsupported .bmp header");
    for (uint16_t bits : {0, 2, 7, 15, 48}) {
        file = Rows24(1, 1);
        file.bits = bits;
        EXPECT_EQ(Load(file), std::string(kLoad) + "IO: unsupported color depth") << bits;
        EXPECT_EQ(image.width, 0u);  // refused before the image was made
    }
}

// Files are named in UTF-8, whatever characters their folders hold; a file
// that cannot be opened is noted, with the system's reason, for the caller.
TEST_F(BmpReader, FoldersOfAnyCharactersAndAFailedOpenNotedForTheCaller) {
    for (const char* folder : {"Демо папка", "デモ", "My Demos ö"}) {
        std::filesystem::create_directory(dir.File(folder));
        const std::string path = dir.Write(std::string(folder) + "/テクスチャ.bmp", Rows24(3, 2).Bytes());
        platform::OpenFailure failure;
        ASSERT_EQ(image.Load(path.c_str(), false, &failure), 1) << folder;
        EXPECT_EQ(image.width, 3u);
        EXPECT_FALSE(failure.failed);
    }
    platform::stub::state().lastError = {3, "The system cannot find the path specified."};
    platform::OpenFailure failure;
    EXPECT_EQ(image.Load(dir.File("Демо/missing.bmp").c_str(), false, &failure), 0);
    EXPECT_TRUE(failure.failed);
    EXPECT_EQ(failure.error.code, 3u);
    EXPECT_EQ(failure.error.text, "The system cannot find the path specified.");
    platform::stub::Reset();
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

TEST_F(BmpReader, ColorTableLargerThanThePaletteIsRefused) {
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

// Images without pixels load as empty images and give no texels; one of no
// width claims millions of rows of no bytes, which are neither read nor
// walked one by one.
TEST_F(BmpReader, ImagesWithoutPixelsReadNoRows) {
    BmpFile file = Rows24(4, 0);
    ASSERT_TRUE(file.rows.empty());
    EXPECT_EQ(Load(file), "");
    EXPECT_EQ(image.height, 0);
    EXPECT_EQ(image.width, 4u);
    EXPECT_TRUE(BgrTexels(image).empty());
    for (int32_t height : {21364736, -21364736})
        for (bool topDown : {false, true}) {
            ASSERT_EQ(Load(Rows24(0, height), topDown), "") << height << " " << topDown;
            EXPECT_EQ(image.width, 0u);
            EXPECT_EQ(image.height, 21364736);
            EXPECT_TRUE(BgrTexels(image).empty());
        }
}

TEST_F(BmpReader, ShortColorTableLeavesTheRestGray) {
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

TEST_F(BmpReader, LongerInformationHeaderKeepsItsColorTable) {
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

// Bit fields are read as the file means them only in the layout the reader
// stores unconverted; before, their masks were never read and any layout was
// drawn as blue, green, red.
TEST_F(BmpReader, BitFieldsAreTakenOnlyInTheUncompressedLayout) {
    const std::vector<uint32_t> standard = {0xFF0000, 0x00FF00, 0x0000FF};
    for (uint32_t size : {40u, 52u, 56u, 108u, 124u}) {
        BmpFile file = Rows24(2, -2);
        file.infoSize = size;
        file.compression = 3;
        file.masks = standard;
        ASSERT_EQ(Load(file), "") << size;
        EXPECT_EQ(RowStarts(), "100 0 ") << size;     // top-down, read in reverse
        file.masks = {0x0000FF, 0x00FF00, 0xFF0000};  // red and blue swapped
        EXPECT_EQ(Load(file), std::string(kLoad) + "IO: compression not supported") << size;
        if (size >= 56) {  // a header with room for an alpha mask, which 24 bits leave no room for
            file.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};
            EXPECT_EQ(Load(file), std::string(kLoad) + "IO: compression not supported") << size;
        }
    }
    BmpFile cut = Rows24(1, 1);
    cut.compression = 3;
    std::string bytes = cut.Bytes();
    EXPECT_EQ(LoadBytes(bytes.substr(0, 54 + 8)), std::string(kLoad) + "IO: .bmp header read error");

    BmpFile eight;  // bit fields mean nothing for colour-table indices
    eight.bits = 8;
    eight.compression = 3;
    eight.masks = standard;
    eight.colorTable.assign(1024, 0);
    eight.rows.assign(4, 0);
    EXPECT_EQ(Load(eight), std::string(kLoad) + "IO: compression not supported");
    BmpFile wide;  // 32 bits: refused for the depth, whatever the masks
    wide.bits = 32;
    wide.compression = 3;
    wide.masks = {0xFF0000, 0xFF00, 0xFF};
    wide.rows.assign(4, 0);
    EXPECT_EQ(Load(wide), std::string(kLoad) + "GENERIC: 32 bpp not yet supported");
}

// An OS/2 2.x header may stop after its 16th byte; its compression 3 is 1-D
// Huffman and 4 is RLE24, not bit fields. Before, compression 3 was taken and
// the coded bytes shown as pixels.
TEST_F(BmpReader, Os2HeadersKeepTheirOwnCompressionCodesAndShortForms) {
    BmpFile file;
    file.infoSize = 64;
    file.width = 2;
    file.height = 1;
    file.bits = 8;
    file.colorsUsed = 2;
    file.colorTable = {10, 20, 30, 0, 40, 50, 60, 0};
    file.rows = {1, 0, 0, 0};
    ASSERT_EQ(Load(file), "");
    EXPECT_EQ(image.palette[4 + 2], 60);  // the table right after the 64 bytes
    for (uint32_t code : {3u, 4u}) {
        file.compression = code;
        EXPECT_EQ(Load(file), std::string(kLoad) + "IO: compression not supported") << code;
    }

    // The 16-byte form ends after the depth: what follows is the colour table,
    // even where a longer header's compression field would be.
    BmpFile shortForm;
    shortForm.infoSize = 16;
    shortForm.width = 1;
    shortForm.height = 1;
    shortForm.bits = 1;
    shortForm.colorTable = {3, 0, 0, 0, 0xFF, 0xEE, 0xDD, 0};
    shortForm.rows = {0x80, 0, 0, 0};
    ASSERT_EQ(shortForm.Bytes().size(), 14u + 16 + 8 + 4);
    ASSERT_EQ(Load(shortForm), "");
    EXPECT_EQ(image.palette[0], 3);
    EXPECT_EQ(image.palette[4 + 2], 0xDD);
    EXPECT_EQ(image.pixels[0], 0x80);
}

// The OS/2 1.x core header has 16-bit sizes and 3-byte colour-table entries;
// before, it was refused as if its depth were compressed.
TEST_F(BmpReader, CoreHeaderFilesAreRead) {
    BmpFile eight;
    eight.infoSize = 12;
    eight.width = 300;  // wider than a byte
    eight.height = 2;
    eight.bits = 8;
    for (int i = 0; i < 256; ++i)
        eight.colorTable.insert(eight.colorTable.end(), {uint8_t(i), 7, uint8_t(255 - i)});
    eight.rows.assign(600, 0);
    eight.rows[300] = 9;  // the top row starts with colour 9
    ASSERT_EQ(eight.Bytes().size(), 14u + 12 + 768 + 600);
    ASSERT_EQ(Load(eight, true), "");
    EXPECT_EQ(image.width, 300u);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels[0], 9);
    const uint8_t* entry = image.palette + 4 * 200;
    EXPECT_EQ(std::vector<uint8_t>(entry, entry + 4), (std::vector<uint8_t>{200, 7, 55, 0}));
    EXPECT_EQ(image.palette[4 * 255 + 2], 0);

    BmpFile truecolour = Rows24(3, 2);
    truecolour.infoSize = 12;
    ASSERT_EQ(Load(truecolour), "");
    EXPECT_EQ(RowStarts(), "0 100 ");
    // With no count in the header, the pixel offset tells a shorter table.
    BmpFile shortTable = eight;
    shortTable.colorTable.resize(3 * 100);
    ASSERT_EQ(Load(shortTable), "");
    EXPECT_EQ(image.palette[4 * 99], 99);
    EXPECT_EQ(image.palette[4 * 100 + 2], 100);  // gray from there on
    std::string bytes = eight.Bytes();
    EXPECT_EQ(LoadBytes(bytes.substr(0, 14 + 12 + 300)), std::string(kLoad) + "IO: pixel read error");
}

// Pixel rows cannot start inside the headers that describe them.
TEST_F(BmpReader, PixelOffsetInsideTheHeadersIsRefused) {
    for (int64_t offset : {0, 14, 53}) {
        BmpFile file = Rows24(1, 1);
        file.pixelOffset = offset;
        EXPECT_EQ(Load(file), std::string(kLoad) + "IO: pixel read error") << offset;
    }
    BmpFile masked = Rows24(1, 1);
    masked.compression = 3;
    masked.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    masked.pixelOffset = 54;  // on the masks
    EXPECT_EQ(Load(masked), std::string(kLoad) + "IO: pixel read error");
}

}  // namespace
