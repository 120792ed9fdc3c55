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
    // 40: the Windows header. 12: the OS/2 1.x core header (16-bit sizes).
    // Other sizes cut the 40-byte fields short (an OS/2 2.x header) or pad
    // them with zeros (the longer Windows headers).
    uint32_t infoSize = 40;
    std::vector<uint32_t> masks;      // bit-field masks after the 40-byte fields: after or inside the header
    int64_t pixelOffset = -1;         // -1: right after the headers and the colour table
    std::vector<uint8_t> colorTable;  // the entries as stored: blue, green, red (and reserved, but in a core file)
    std::vector<uint8_t> rows;        // the pixel rows exactly as stored, padding included

    std::string Bytes() const {
        const std::string info = InfoHeader();
        uint32_t headers = 14 + static_cast<uint32_t>(info.size());
        uint32_t offset = pixelOffset >= 0 ? static_cast<uint32_t>(pixelOffset)
                                           : headers + static_cast<uint32_t>(colorTable.size());
        std::string out = magic.substr(0, 2);
        Put32(out, offset + static_cast<uint32_t>(rows.size()));  // bfSize
        Put32(out, 0);                                            // bfReserved1, bfReserved2
        Put32(out, offset);
        out += info;
        out.append(colorTable.begin(), colorTable.end());
        if (out.size() < offset) out.resize(offset, '\0');
        out.append(rows.begin(), rows.end());
        return out;
    }

    std::string InfoHeader() const {
        std::string info;
        Put32(info, infoSize);
        if (infoSize == 12) {
            Put16(info, static_cast<uint32_t>(width));
            Put16(info, static_cast<uint32_t>(height));
            Put16(info, 1);  // planes
            Put16(info, bits);
            return info;
        }
        Put32(info, static_cast<uint32_t>(width));
        Put32(info, static_cast<uint32_t>(height));
        Put16(info, 1);  // biPlanes
        Put16(info, bits);
        Put32(info, compression);
        Put32(info, static_cast<uint32_t>(rows.size()));  // biSizeImage
        Put32(info, 2835);                                // 72 dots per inch, both ways
        Put32(info, 2835);
        Put32(info, colorsUsed);
        Put32(info, 0);  // biClrImportant
        for (uint32_t mask : masks) Put32(info, mask);
        if (info.size() < infoSize || (infoSize < 40 && masks.empty())) info.resize(infoSize, '\0');
        return info;
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
