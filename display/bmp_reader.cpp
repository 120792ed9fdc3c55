// Image::Load: the Windows bitmap (.bmp) reader. It reads uncompressed files
// of 1, 8 and 24 bits per pixel and stores their bytes unconverted.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "display/image.h"

namespace {

constexpr uint16_t kBitmapMagic = 0x4D42;  // "BM"
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kFileHeaderSize = 14;

struct BmpHeader {
    uint16_t bfType = 0;
    uint32_t bfOffBits = 0;
    uint32_t biSize = 0;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biClrUsed = 0;
};

// Little-endian fields, each read completely or not at all.
class FieldReader {
public:
    explicit FieldReader(std::FILE* file) : file_(file) {}
    uint32_t Read(int bytes) {
        unsigned char buffer[4] = {};
        if (std::fread(buffer, 1, static_cast<size_t>(bytes), file_) != static_cast<size_t>(bytes)) ok_ = false;
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | buffer[i];
        return value;
    }
    uint16_t Read16() { return static_cast<uint16_t>(Read(2)); }
    uint32_t Read32() { return Read(4); }
    void Skip(int bytes) { Read(bytes); }
    bool ok() const { return ok_; }

private:
    std::FILE* file_;
    bool ok_ = true;
};

bool ReadHeader(std::FILE* file, BmpHeader& h) {
    FieldReader in(file);
    h.bfType = in.Read16();
    in.Skip(4);  // bfSize
    in.Skip(2);  // bfReserved1
    in.Skip(2);  // bfReserved2
    h.bfOffBits = in.Read32();
    h.biSize = in.Read32();
    h.biWidth = static_cast<int32_t>(in.Read32());
    h.biHeight = static_cast<int32_t>(in.Read32());
    in.Skip(2);  // biPlanes
    h.biBitCount = in.Read16();
    h.biCompression = in.Read32();
    in.Skip(4);  // biSizeImage
    in.Skip(4);  // biXPelsPerMeter
    in.Skip(4);  // biYPelsPerMeter
    h.biClrUsed = in.Read32();
    in.Skip(4);  // biClrImportant
    return in.ok();
}

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
    std::FILE* file;
    ~FileCloser() { std::fclose(file); }
};

}  // namespace

int Image::Load(const char* fileName, bool topDown) {
    Destroy();
    std::FILE* file = fileName ? std::fopen(fileName, "rb") : nullptr;
    if (!file) return Fail(IO, "Load", "can not open file");
    FileCloser closer{file};

    BmpHeader h;
    if (!ReadHeader(file, h)) return Fail(IO, "Load", ".bmp header read error");
    if (h.bfType != kBitmapMagic) return Fail(IO, "Load", "not a .bmp file");
    if (h.biCompression != 0 && h.biCompression != 3) return Fail(IO, "Load", "compression not supported");
    // Older, shorter headers lay their fields out differently.
    if (h.biSize < kInfoHeaderSize) return Fail(IO, "Load", "unsupported .bmp header");

    const DepthFormat* depth = FindDepth(h.biBitCount);
    if (!depth) return Fail(IO, "Load", "unsupported color depth");

    // The image's size in memory must fit its fields, and the file must hold
    // every row it declares, before anything is allocated for them.
    if (h.biWidth < 0 || h.biHeight == INT32_MIN) return Fail(IO, "Load", "image size not supported");
    uint32_t imageWidth = static_cast<uint32_t>(h.biWidth);
    int32_t imageHeight = h.biHeight > 0 ? h.biHeight : -h.biHeight;
    uint64_t rowBytes = RowBytes(imageWidth, depth->bits, 4);
    if (rowBytes > UINT32_MAX) return Fail(IO, "Load", "image size not supported");
    uint64_t pixelBytes = rowBytes * static_cast<uint64_t>(imageHeight);
    if (FileLength(file) < uint64_t{h.bfOffBits} + pixelBytes) return Fail(IO, "Load", "pixel read error");

    if (!Create(imageWidth, imageHeight, static_cast<uint32_t>(rowBytes), depth->format, nullptr)) {
        std::string inner = status.Message();
        return Fail(GENERIC, "Load", inner.c_str());
    }
    if (depth->refusal) return Fail(GENERIC, "Load", depth->refusal);

    if (format.bpp <= 8) {
        uint32_t capacity = uint32_t{1} << format.bpp;
        uint32_t entries = h.biClrUsed == 0 ? capacity : h.biClrUsed;
        // A colour table larger than the palette is refused, never written past it.
        if (entries > capacity || !SeekTo(file, uint64_t{kFileHeaderSize} + h.biSize) ||
            std::fread(palette, 4, entries, file) != entries)
            return Fail(IO, "Load", "palette read error");
    }

    if (!SeekTo(file, h.bfOffBits)) return Fail(IO, "Load", "pixel read error");
    bool fileTopDown = h.biHeight < 0;
    if (fileTopDown != topDown) {
        for (int32_t row = height - 1; row >= 0; --row)
            if (std::fread(pixels + uint64_t{pitch} * static_cast<uint64_t>(row), 1, pitch, file) != pitch)
                return Fail(IO, "Load", "pixel read error");
    } else if (pixelBytes > 0 && std::fread(pixels, 1, pixelBytes, file) != pixelBytes) {
        return Fail(IO, "Load", "pixel read error");
    }
    return 1;
}
