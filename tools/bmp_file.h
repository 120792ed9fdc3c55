#pragma once
// Builds the bytes of a Windows bitmap (.bmp) file field by field: the
// texture generator writes its picture with it, and the reader's tests
// write valid, odd and broken files with it.
#include <cstdint>
#include <string>
#include <vector>

struct BmpFile {
    std::string magic = "BM";
    int32_t width = 1;
    int32_t height = 1;  // negative: the first row in the file is the top row
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint32_t infoSize = 40;  // longer information headers are padded with zeros
    int64_t pixelOffset = -1;  // -1: right after the headers and the colour table
    std::vector<uint8_t> colorTable;  // 4-byte entries: blue, green, red, reserved
    std::vector<uint8_t> rows;        // the pixel rows exactly as stored, padding included

    std::string Bytes() const {
        uint32_t headers = 14 + infoSize;
        uint32_t offset = pixelOffset >= 0 ? static_cast<uint32_t>(pixelOffset)
                                           : headers + static_cast<uint32_t>(colorTable.size());
        std::string out = magic.substr(0, 2);
        Put32(out, offset + static_cast<uint32_t>(rows.size()));  // bfSize
        Put32(out, 0);                                            // bfReserved1, bfReserved2
        Put32(out, offset);
        Put32(out, infoSize);
        Put32(out, static_cast<uint32_t>(width));
        Put32(out, static_cast<uint32_t>(height));
        Put16(out, 1);  // biPlanes
        Put16(out, bits);
        Put32(out, compression);
        Put32(out, static_cast<uint32_t>(rows.size()));  // biSizeImage
        Put32(out, 2835);                                // 72 dots per inch, both ways
        Put32(out, 2835);
        Put32(out, colorsUsed);
        Put32(out, 0);  // biClrImportant
        if (out.size() < headers) out.resize(headers, '\0');
        out.append(colorTable.begin(), colorTable.end());
        if (out.size() < offset) out.resize(offset, '\0');
        out.append(rows.begin(), rows.end());
        return out;
    }

    static void Put16(std::string& out, uint32_t v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
    static void Put32(std::string& out, uint32_t v) {
        Put16(out, v & 0xFFFF);
        Put16(out, v >> 16);
    }
};
