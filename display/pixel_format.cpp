#include "display/pixel_format.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

using platform::PixelFormat;

namespace {

struct FlagName {
    uint32_t flag;
    const char* name;
};

// In the order the log writes them.
constexpr FlagName kFlagNames[] = {
    {platform::pfd::DrawToWindow, "WINDOW "},
    {platform::pfd::DrawToBitmap, "BITMAP "},
    {platform::pfd::SupportGdi, "GDI "},
    {platform::pfd::SupportOpenGL, "OPENGL "},
    {platform::pfd::GenericAccelerated, "GEN_ACCEL "},
    {platform::pfd::GenericFormat, "GENERIC "},
    {platform::pfd::NeedPalette, "PALETTE "},
    {platform::pfd::NeedSystemPalette, "SYSPALETTE "},
    {platform::pfd::DoubleBuffer, "DOUBLEBUFFER "},
    {platform::pfd::Stereo, "STEREO "},
    {platform::pfd::SwapLayerBuffers, "SWAPLAYER "},
    {platform::pfd::SwapCopy, "SWAPCOPY "},
    {platform::pfd::SwapExchange, "SWAPEXCHANGE "},
};

std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// One channel's palette level of entry `index`: the channel's bits picked
// out by shift and width and spread over 0 to 255. A channel without bits
// stays 0 (there is nothing to spread); shifts past the index's width give 0.
uint8_t ChannelLevel(uint32_t index, unsigned bits, unsigned shift) {
    if (bits == 0 || shift >= 32) return 0;
    uint64_t max = (uint64_t{1} << (bits < 32 ? bits : 32)) - 1;
    uint64_t value = (index >> shift) & max;
    return static_cast<uint8_t>(value * 255 / max);
}

}  // namespace

PixelFormat PixelFormatRequest(uint8_t colorBits) {
    PixelFormat request;  // every field not named here is 0
    request.nSize = 40;
    request.nVersion = 1;
    request.dwFlags = platform::pfd::DrawToWindow | platform::pfd::SupportOpenGL | platform::pfd::DoubleBuffer;
    request.iPixelType = platform::pfd::TypeRgba;
    request.cColorBits = colorBits;
    request.cDepthBits = 16;
    request.iLayerType = platform::pfd::MainPlane;
    return request;
}

std::string PixelFormatText(const PixelFormat* format, int index) {
    if (format == nullptr) return "no pixel format";
    const PixelFormat& f = *format;
    std::string flags = "flags: ";
    for (const FlagName& entry : kFlagNames)
        if (f.dwFlags & entry.flag) flags += entry.name;

    std::string text = Format("ID %2d: %s \n", index, flags.c_str());
    text += Format(" %s %2u, r%u:g%u:b%u:a%u, r<<%02u g<<%02u b<<%02u a<<%02u, ACCUM %2u, r%u:g%u:b%u:a%u \n",
                   f.iPixelType == platform::pfd::TypeRgba ? "RGBA " : "INDEX", unsigned{f.cColorBits},
                   unsigned{f.cRedBits}, unsigned{f.cGreenBits}, unsigned{f.cBlueBits}, unsigned{f.cAlphaBits},
                   unsigned{f.cRedShift}, unsigned{f.cGreenShift}, unsigned{f.cBlueShift}, unsigned{f.cAlphaShift},
                   unsigned{f.cAccumBits}, unsigned{f.cAccumRedBits}, unsigned{f.cAccumGreenBits},
                   unsigned{f.cAccumBlueBits}, unsigned{f.cAccumAlphaBits});
    text += Format(" depth %u, stencil %u, auxbuffers %u, overlay %u, underlay %u, visiblemask %u \n",
                   unsigned{f.cDepthBits}, unsigned{f.cStencilBits}, unsigned{f.cAuxBuffers},
                   unsigned{f.bReserved} & 0xFu, unsigned{f.bReserved} >> 4, unsigned{f.dwVisibleMask});
    return text;
}

std::vector<platform::PaletteEntry> LogicalPaletteEntries(const PixelFormat& format) {
    std::vector<platform::PaletteEntry> entries;
    if (format.cColorBits > 8) return entries;
    uint32_t count = uint32_t{1} << format.cColorBits;
    entries.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        entries[i].red = ChannelLevel(i, format.cRedBits, format.cRedShift);
        entries[i].green = ChannelLevel(i, format.cGreenBits, format.cGreenShift);
        entries[i].blue = ChannelLevel(i, format.cBlueBits, format.cBlueShift);
        entries[i].flags = 0;
    }
    return entries;
}

bool ExtensionListed(const char* extensions, const char* name) {
    if (extensions == nullptr || name == nullptr) return false;
    size_t length = std::strlen(name);
    if (length == 0) return false;
    const char* piece = extensions;
    for (;;) {
        const char* end = std::strchr(piece, ' ');
        size_t pieceLength = end ? static_cast<size_t>(end - piece) : std::strlen(piece);
        if (pieceLength == length && std::strncmp(piece, name, length) == 0) return true;
        if (end == nullptr) return false;
        piece = end + 1;
    }
}
