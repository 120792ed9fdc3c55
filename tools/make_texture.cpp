// Paints the tunnel's wall texture, rough stone blocks in mortar crossed by
// one bright diagonal, and writes it as a 256 x 256 24-bit bottom-up .bmp.
// The tunnel mirrors its texture coordinates (0 -> 1 -> 0), so the blocks'
// colour ramp and the diagonal fold into visible V and diamond shapes.
// Integer arithmetic only: the output regenerates byte for byte anywhere.
//
// usage: make_texture OUTPUT.bmp
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/bmp_file.h"

namespace {

constexpr int kSize = 256;
constexpr int kBlockHeight = 32;
constexpr int kBlockWidth = 64;
constexpr int kMortar = 2;  // half the joint between two blocks

struct Color {
    int b, g, r;
};

uint32_t Hash(uint32_t x, uint32_t y) {
    uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// The picture with y = 0 at the bottom, where texture coordinate t = 0 lies.
Color Texel(int x, int y) {
    int course = y / kBlockHeight;
    int shifted = x + (course % 2) * (kBlockWidth / 2);
    int block = shifted / kBlockWidth;
    int inX = shifted % kBlockWidth;
    int inY = y % kBlockHeight;
    int noise = static_cast<int>(Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y)) % 25) - 12;

    bool joint = inX < kMortar || inX >= kBlockWidth - kMortar || inY < kMortar || inY >= kBlockHeight - kMortar;
    if (joint) return {48 + noise / 2, 52 + noise / 2, 58 + noise / 2};

    int diagonal = x - y;
    if (diagonal >= -3 && diagonal <= 3) return {Clamp(120 + noise), Clamp(225 + noise), Clamp(250 + noise)};

    // Each block its own shade; across the picture the stone warms from grey-blue to ochre.
    int shade = static_cast<int>(Hash(static_cast<uint32_t>(block), static_cast<uint32_t>(course)) % 40) - 20;
    int warm = x * 90 / (kSize - 1);
    int lift = y * 30 / (kSize - 1);
    return {Clamp(150 - warm + shade + noise + lift), Clamp(140 + shade + noise + lift),
            Clamp(110 + warm + shade + noise + lift)};
}

std::string TextureBytes() {
    BmpFile file;
    file.width = kSize;
    file.height = kSize;  // bottom-up
    file.bits = 24;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Color c = Texel(x, y);
            file.rows.push_back(static_cast<uint8_t>(c.b));
            file.rows.push_back(static_cast<uint8_t>(c.g));
            file.rows.push_back(static_cast<uint8_t>(c.r));
        }
    }
    return file.Bytes();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_texture OUTPUT.bmp\n");
        return 2;
    }
    std::string bytes = TextureBytes();
    std::ofstream out(argv[1], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
