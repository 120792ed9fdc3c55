#pragma once
// An in-memory raster: rows of pixels of one bit depth, described either by
// four channel masks (direct colour) or by a palette (indexed colour), and
// the reader that fills one from a Windows bitmap (.bmp) file.
#include <cstdint>

#include "display/error_status.h"
#include "platform/files.h"

struct ImageFormat {
    uint32_t bpp = 0;    // bits per pixel, 1 to 32
    uint32_t amask = 0;  // all four masks 0: indexed colour
    uint32_t rmask = 0;
    uint32_t gmask = 0;
    uint32_t bmask = 0;
};

class Image {
public:
    Image() = default;
    ~Image() { Destroy(); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Makes this an image of the given size and format; with a null `buffer`
    // the image allocates (and owns) height x pitch bytes of pixels.
    int Create(uint32_t newWidth, int32_t newHeight, uint32_t newPitch, const ImageFormat& newFormat,
               uint8_t* buffer);
    // Reads a .bmp file named in UTF-8. `topDown` stores the picture's top
    // row as row 0; otherwise row 0 is its bottom row (OpenGL's order). A file
    // that cannot be opened is noted in `openFailure` when one is given.
    int Load(const char* fileName, bool topDown, platform::OpenFailure* openFailure = nullptr);
    // Fills `count` 4-byte entries (blue, green, red, 0) with a gray ramp.
    static int GrayPalette(uint8_t* table, uint32_t count);
    void Destroy();

    // Bytes taken by `count` pixels of `bits` bits, rounded up to a multiple
    // of `alignment` (1: unaligned; 4: a .bmp file row). 64 bits wide, so
    // that no width overflows it.
    static uint64_t RowBytes(uint64_t count, uint32_t bits, uint32_t alignment);

    static ErrorStatus status;  // failures of every Image operation

    uint32_t width = 0;
    int32_t height = 0;
    uint32_t pitch = 0;  // bytes from one row to the next
    uint8_t* pixels = nullptr;
    uint8_t* palette = nullptr;  // 2^bpp entries of blue, green, red, fourth byte; indexed only
    ImageFormat format;
    bool ownsPixels = false;

private:
    static int Fail(uint32_t code, const char* operation, const char* detail);
};

// The largest pixel buffer an image allocates: a file that claims more is
// refused rather than allowed to claim the machine's memory.
constexpr uint64_t kMaxImageBytes = uint64_t{1} << 30;
