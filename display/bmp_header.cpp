#include "display/bmp_header.h"

#include <cstddef>

namespace {

constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kLongestHeader = 124;  // version 5
constexpr uint32_t kMaskBytes = 12;       // red, green and blue masks after a 40-byte header

constexpr uint32_t kNoCompression = 0;
constexpr uint32_t kBitFields = 3;  // Windows; the same code is 1-D Huffman in an OS/2 2.x header

// The only bit-field layout the reader stores unconverted: 24-bit pixels of
// blue, green and red bytes, as the uncompressed format has them.
constexpr uint32_t kRedMask = 0xFF0000, kGreenMask = 0x00FF00, kBlueMask = 0x0000FF;

enum class Layout { Core, Os2, Windows };

// The header sizes each layout has. An OS/2 2.x header may stop after any
// field from its 16th byte on; 40, 52 and 56 bytes are taken as Windows'.
bool LayoutOf(uint32_t size, Layout& layout) {
    if (size == kCoreHeaderSize) {
        layout = Layout::Core;
    } else if (size == 40 || size == 52 || size == 56 || size == 108 || size == kLongestHeader) {
        layout = Layout::Windows;
    } else if (size >= 16 && size <= 64) {
        layout = Layout::Os2;
    } else {
        return false;
    }
    return true;
}

// Little-endian fields of a byte block; a field past its end reads 0.
struct Fields {
    const unsigned char* bytes;
    size_t length;
    uint32_t At(size_t offset, int size) const {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            const size_t at = offset + static_cast<size_t>(i);
            value = (value << 8) | (at < length ? bytes[at] : 0u);
        }
        return value;
    }
    uint16_t U16(size_t offset) const { return static_cast<uint16_t>(At(offset, 2)); }
    uint32_t U32(size_t offset) const { return At(offset, 4); }
};

bool ReadBytes(std::FILE* file, unsigned char* into, size_t count) {
    return std::fread(into, 1, count, file) == count;
}

// Bit fields are taken when they describe the uncompressed layout; 16 and 32
// bits are refused for their depth later, whatever their masks.
bool BitFieldsReadable(uint16_t bits, const Fields& info) {
    if (bits == 16 || bits == 32) return true;
    return bits == 24 && info.U32(40) == kRedMask && info.U32(44) == kGreenMask && info.U32(48) == kBlueMask &&
           (info.length < 56 || info.U32(52) == 0);
}

}  // namespace

const char* ReadBmpHeader(std::FILE* file, BmpHeader& header) {
    unsigned char fileHeader[kFileHeaderSize + 4];  // and the information header's size
    if (!ReadBytes(file, fileHeader, sizeof fileHeader)) return ".bmp header read error";
    const Fields start{fileHeader, sizeof fileHeader};
    if (start.U16(0) != kBitmapMagic) return "not a .bmp file";
    const uint32_t infoSize = start.U32(kFileHeaderSize);
    Layout layout;
    if (!LayoutOf(infoSize, layout)) return "unsupported .bmp header";

    unsigned char infoBytes[kLongestHeader] = {};
    if (!ReadBytes(file, infoBytes + 4, infoSize - 4)) return ".bmp header read error";
    Fields info{infoBytes, infoSize};
    header.pixelOffset = start.U32(10);
    header.paletteOffset = kFileHeaderSize + infoSize;

    if (layout == Layout::Core) {
        header.width = info.U16(4);
        header.height = info.U16(6);
        header.bits = info.U16(10);
        header.colorsUsed = 0;
        header.paletteEntryBytes = 3;
        return nullptr;
    }
    header.width = static_cast<int32_t>(info.U32(4));
    header.height = static_cast<int32_t>(info.U32(8));
    header.bits = info.U16(14);
    header.colorsUsed = info.U32(32);
    header.paletteEntryBytes = 4;
    const uint32_t compression = info.U32(16);
    if (compression == kNoCompression) return nullptr;
    if (layout == Layout::Os2 || compression != kBitFields) return "compression not supported";

    if (infoSize == kInfoHeaderSize) {
        if (!ReadBytes(file, infoBytes + kInfoHeaderSize, kMaskBytes)) return ".bmp header read error";
        info.length = kInfoHeaderSize + kMaskBytes;
        header.paletteOffset += kMaskBytes;
    }
    return BitFieldsReadable(header.bits, info) ? nullptr : "compression not supported";
}
