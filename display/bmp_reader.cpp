// Image::Load: the Windows bitmap (.bmp) reader. It reads uncompressed files
// of 1, 8 and 24 bits per pixel and stores their bytes unconverted; colour
// tables of 3-byte entries (OS/2 1.x files) get a fourth byte of 0.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "display/bmp_header.h"
#include "display/image.h"
#include "platform/files.h"

namespace {

bool SeekTo(std::FILE* file, uint64_t offset) {
    return offset <= static_cast<uint64_t>(LONG_MAX) && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

// The file's length, 0 when it cannot be told.
uint64_t FileLength(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    long length = std::ftell(file);
    return length > 0 ? static_cast<uint64_t>(length) : 0;
}

struct DepthFormat {
    uint32_t bits;
    ImageFormat format;
    const char* refusal;  // why the depth is refused after the image was made, or null
};

constexpr DepthFormat kDepths[] = {
    {1, {1, 0, 0, 0, 0}, nullptr},
    {4, {4, 0, 0, 0, 0}, "4 bpp not yet supported"},
    {8, {8, 0, 0, 0, 0}, nullptr},
    {16, {16, 0, 0x7C00, 0x03E0, 0x001F}, "16 bpp not yet supported"},
    {24, {24, 0, 0x0000FF, 0x00FF00, 0xFF0000}, nullptr},
    {32, {32, 0xFF000000, 0xFF0000, 0xFF00, 0}, "32 bpp not yet supported"},
};

const DepthFormat* FindDepth(uint32_t bits) {
    for (const DepthFormat& depth : kDepths)
        if (depth.bits == bits) return &depth;
    return nullptr;
}

// Closes the file on every way out of Load.
struct FileCloser {
    explicit FileCloser(std::FILE* opened) : file(opened) {}
    FileCloser(const FileCloser&) = delete;  // a copy would close the file twice
    FileCloser& operator=(const FileCloser&) = delete;
    ~FileCloser() { std::fclose(file); }
    std::FILE* file;
};

// Reads `entries` colour-table entries, of the size the header gives, into
// 4-byte palette entries; a 3-byte entry's fourth byte is 0.
bool ReadPalette(std::FILE* file, const BmpHeader& h, uint8_t* palette, uint32_t entries) {
    if (!SeekTo(file, h.paletteOffset)) return false;
    if (h.paletteEntryBytes == 4) return std::fread(palette, 4, entries, file) == entries;
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t* entry = palette + uint64_t{i} * 4;
        if (std::fread(entry, 1, 3, file) != 3) return false;
        entry[3] = 0;
    }
    return true;
}

}  // namespace

int Image::Load(const char* fileName, bool topDown, platform::OpenFailure* openFailure) {
    Destroy();
    std::FILE* file = fileName ? platform::OpenFile(fileName, "rb", openFailure) : nullptr;
    if (!file) return Fail(IO, "Load", "can not open file");
    FileCloser closer{file};

    BmpHeader h;
    if (const char* refusal = ReadBmpHeader(file, h)) return Fail(IO, "Load", refusal);

    const DepthFormat* depth = FindDepth(h.bits);
    if (!depth) return Fail(IO, "Load", "unsupported color depth");

    // The image's size in memory must fit its fields, and the file must hold
    // every row it declares, after its headers, before anything is allocated
    // for them.
    if (h.width < 0 || h.height == INT32_MIN) return Fail(IO, "Load", "image size not supported");
    uint32_t imageWidth = static_cast<uint32_t>(h.width);
    int32_t imageHeight = h.height > 0 ? h.height : -h.height;
    uint64_t rowBytes = RowBytes(imageWidth, depth->bits, 4);
    if (rowBytes > UINT32_MAX) return Fail(IO, "Load", "image size not supported");
    uint64_t pixelBytes = rowBytes * static_cast<uint64_t>(imageHeight);
    if (h.pixelOffset < h.paletteOffset || FileLength(file) < uint64_t{h.pixelOffset} + pixelBytes)
        return Fail(IO, "Load", "pixel read error");

    if (!Create(imageWidth, imageHeight, static_cast<uint32_t>(rowBytes), depth->format, nullptr)) {
        std::string inner = status.Message();
        return Fail(GENERIC, "Load", inner.c_str());
    }
    if (depth->refusal) return Fail(GENERIC, "Load", depth->refusal);

    if (format.bpp <= 8) {
        uint32_t capacity = uint32_t{1} << format.bpp;
        uint32_t entries = h.colorsUsed == 0 ? capacity : h.colorsUsed;
        // A core header has no count: a table shorter than the palette shows
        // only in the room left before the pixel rows.
        if (h.paletteEntryBytes == 3) entries = std::min(entries, (h.pixelOffset - h.paletteOffset) / 3);
        // A colour table larger than the palette is refused, never written past it.
        if (entries > capacity || !ReadPalette(file, h, palette, entries))
            return Fail(IO, "Load", "palette read error");
    }

    if (!SeekTo(file, h.pixelOffset)) return Fail(IO, "Load", "pixel read error");
    bool fileTopDown = h.height < 0;
    if (pixelBytes == 0) return 1;  // rows of no bytes, however many: nothing to read
    if (fileTopDown != topDown) {
        for (int32_t row = height - 1; row >= 0; --row)
            if (std::fread(pixels + uint64_t{pitch} * static_cast<uint64_t>(row), 1, pitch, file) != pitch)
                return Fail(IO, "Load", "pixel read error");
    } else if (std::fread(pixels, 1, pixelBytes, file) != pixelBytes) {
        return Fail(IO, "Load", "pixel read error");
    }
    return 1;
}
