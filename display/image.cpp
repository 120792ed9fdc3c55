#include "display/image.h"

#include <new>

ErrorStatus Image::status;

namespace {
constexpr const char* kClassName = "Image0";

bool Overlap(uint32_t a, uint32_t b) { return (a & b) != 0; }
}  // namespace

int Image::Fail(uint32_t code, const char* operation, const char* detail) {
    status.Set(code, kClassName, operation, detail);
    return 0;
}

uint64_t Image::RowBytes(uint64_t count, uint32_t bits, uint32_t alignment) {
    uint64_t bytes = (count * bits + 7) / 8;
    if (alignment > 1) bytes = (bytes + alignment - 1) / alignment * alignment;
    return bytes;
}

int Image::GrayPalette(uint8_t* table, uint32_t count) {
    if (table == nullptr) return Fail(INVALIDARG, "GrayPalette", "no palette");
    for (uint32_t i = 0; i < count; ++i) {
        // A one-entry palette has no ramp to spread: its one entry is black.
        uint8_t v = count > 1 ? static_cast<uint8_t>(uint64_t{i} * 255 / (count - 1)) : 0;
        uint8_t* entry = table + uint64_t{i} * 4;
        entry[0] = entry[1] = entry[2] = v;
        entry[3] = 0;
    }
    return 1;
}

void Image::Destroy() {
    if (ownsPixels) delete[] pixels;
    delete[] palette;
    pixels = nullptr;
    palette = nullptr;
    ownsPixels = false;
    width = 0;
    height = 0;
}

int Image::Create(uint32_t newWidth, int32_t newHeight, uint32_t newPitch, const ImageFormat& newFormat,
                  uint8_t* buffer) {
    Destroy();
    const ImageFormat& f = newFormat;
    if (f.bpp == 0 || f.bpp > 32) return Fail(UNSUPPORTED, "Create", "bits per pixel");
    if (newPitch < RowBytes(newWidth, f.bpp, 1)) return Fail(INVALIDARG, "Create", "pitch too small");
    if (newHeight < 0) return Fail(INVALIDARG, "Create", "negative height");

    uint32_t masks = f.amask | f.rmask | f.gmask | f.bmask;
    if (masks != 0) {
        if (Overlap(f.gmask, f.bmask) || Overlap(f.rmask, f.bmask) || Overlap(f.rmask, f.gmask) ||
            Overlap(f.amask, f.bmask) || Overlap(f.amask, f.gmask) || Overlap(f.amask, f.rmask))
            return Fail(INVALIDARG, "Create", "argb masks overlap");
        if (f.bpp < 32 && (masks >> f.bpp) != 0) return Fail(INVALIDARG, "Create", "wrong argb masks for bpp");
    } else {
        if (f.bpp > 8) return Fail(UNSUPPORTED, "Create", "palettized image bpp");
        uint32_t entries = uint32_t{1} << f.bpp;
        palette = new (std::nothrow) uint8_t[uint64_t{entries} * 4];
        if (!palette) return Fail(MEMORY, "Create", "palette not allocated");
        GrayPalette(palette, entries);
    }

    if (buffer) {
        pixels = buffer;
        ownsPixels = false;
    } else {
        uint64_t bytes = uint64_t{newPitch} * static_cast<uint64_t>(newHeight);
        if (bytes <= kMaxImageBytes) pixels = new (std::nothrow) uint8_t[bytes];
        if (!pixels) {
            Destroy();
            return Fail(MEMORY, "Create", "pixels not allocated");
        }
        ownsPixels = true;
    }
    width = newWidth;
    height = newHeight;
    pitch = newPitch;
    format = f;
    return 1;
}
