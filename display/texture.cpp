// The texture upload. The rows handed to GL are packed to exactly three
// bytes per pixel, so the byte alignment of the upload reads each row where
// it is whatever the width, and palette images arrive as colours.
#include "display/texture.h"

#include <cstdlib>

#include "display/glwindow.h"
#include "display/power_of_two.h"
#include "platform/gl_headers.h"

namespace {

void CopyEntry(const uint8_t* entry, uint8_t* out) {
    out[0] = entry[0];  // blue
    out[1] = entry[1];  // green
    out[2] = entry[2];  // red
}

// The palette index of pixel `x` in a row of `bits`-bit indices, leftmost pixel in the high bits.
uint32_t PaletteIndex(const uint8_t* row, uint32_t x, uint32_t bits) {
    if (bits == 8) return row[x];
    return (row[x / 8] >> (7 - x % 8)) & 1u;
}

// Why a size was cut, for the console and log line that says so.
const char* CutReason(TextureSize image, const TextureLimits& limits) {
    const bool tooLarge = image.width > limits.largest || image.height > limits.largest;
    const bool needsPowers = !limits.anySize && !(IsPowerOfTwo(image.width) && IsPowerOfTwo(image.height));
    if (tooLarge && needsPowers) return "larger than the driver holds, and it needs powers of two";
    return tooLarge ? "larger than the driver holds" : "the driver needs powers of two";
}

// A line for both the console and the log.
void Report(Console& console, std::FILE* log, const char* line) {
    console.Printf("%s", line);
    if (log) std::fprintf(log, "%s", line);
}

}  // namespace

TextureLimits CurrentTextureLimits() {
    TextureLimits limits;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    if (largest > 0) limits.largest = static_cast<uint32_t>(largest);
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    limits.anySize =
        (version && std::atoi(version) >= 2) || GLwindow::HasExtension("GL_ARB_texture_non_power_of_two");
    return limits;
}

std::vector<uint8_t> BgrTexels(const Image& image) {
    uint32_t bpp = image.format.bpp;
    std::vector<uint8_t> texels;
    // An image without pixels has no texels, however many empty rows it claims.
    if (image.pixels == nullptr || image.width == 0 || image.height <= 0) return texels;
    bool indexed = (bpp == 1 || bpp == 8) && image.palette != nullptr;
    if (bpp != 24 && !indexed) return texels;

    const uint64_t rowSize = uint64_t{image.width} * 3;
    texels.resize(rowSize * static_cast<uint64_t>(image.height));
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.pixels + uint64_t{image.pitch} * static_cast<uint64_t>(y);
        uint8_t* out = texels.data() + rowSize * static_cast<uint64_t>(y);
        for (uint32_t x = 0; x < image.width; ++x, out += 3) {
            const uint8_t* source =
                indexed ? image.palette + 4 * uint64_t{PaletteIndex(row, x, bpp)} : row + 3 * uint64_t{x};
            CopyEntry(source, out);
        }
    }
    return texels;
}

uint32_t InitTexture(const char* fileName, Console& console, std::FILE* log, platform::OpenFailure* openFailure) {
    return InitTexture(fileName, CurrentTextureLimits(), console, log, openFailure);
}

uint32_t InitTexture(const char* fileName, const TextureLimits& limits, Console& console, std::FILE* log,
                     platform::OpenFailure* openFailure) {
    if (fileName == nullptr) return 0;
    Image image;
    std::vector<uint8_t> texels;
    bool loaded = image.Load(fileName, false, openFailure);
    if (loaded) texels = BgrTexels(image);
    bool empty = image.width == 0 || image.height == 0;
    if (!loaded || (texels.empty() && !empty)) {
        console.Printf("InitTexture(%s) : Image::Load() error\n", fileName);
        return 0;
    }
    console.Printf("InitTexture(%s) \n", fileName);

    const TextureSize size{image.width, empty ? 0u : static_cast<uint32_t>(image.height)};
    const TextureSize fitted = FittedSize(size, limits);
    if (fitted.width != size.width || fitted.height != size.height) {
        texels = ScaleTexels(texels, size, fitted);
        char line[400];
        std::snprintf(line, sizeof line, "InitTexture(%s) : %u x %u scaled to %u x %u, %s\n", fileName, size.width,
                      size.height, fitted.width, fitted.height, CutReason(size, limits));
        Report(console, log, line);
    }

    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(fitted.width));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, static_cast<GLsizei>(fitted.width), static_cast<GLsizei>(fitted.height),
                 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, texels.empty() ? nullptr : texels.data());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // A driver that still refuses the upload leaves no texture: the walls are
    // plain, and the console and log say why instead of claiming success.
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        char line[400];
        std::snprintf(line, sizeof line, "InitTexture(%s) : glTexImage2D() error 0x%04X at %u x %u\n", fileName,
                      error, fitted.width, fitted.height);
        Report(console, log, line);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &name);
        return 0;
    }
    return name;
}
