#pragma once
// The headers of a Windows bitmap (.bmp) file in their variants, read into
// one description: the 12-byte OS/2 1.x core header (16-bit sizes, 3-byte
// colour-table entries), the OS/2 2.x header (16 to 64 bytes, fields past its
// length zero, its own compression codes) and the Windows headers of 40, 52,
// 56, 108 and 124 bytes (bit-field masks after a 40-byte header, inside the
// longer ones).
#include <cstdint>
#include <cstdio>

struct BmpHeader {
    uint32_t pixelOffset = 0;    // where the pixel rows start
    uint32_t paletteOffset = 0;  // where the colour table starts: just past the headers and any masks
    uint32_t paletteEntryBytes = 4;
    int32_t width = 0;
    int32_t height = 0;  // negative: the first row in the file is the top row
    uint16_t bits = 0;
    uint32_t colorsUsed = 0;  // 0: 2^bits
};

// Reads the headers from the file's start. Returns null when the pixels can
// be read as plain rows, else the reason they cannot: ".bmp header read
// error", "not a .bmp file", "unsupported .bmp header" or "compression not
// supported".
const char* ReadBmpHeader(std::FILE* file, BmpHeader& header);
