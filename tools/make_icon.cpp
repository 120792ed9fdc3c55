// Draws the program icon, a view down a tunnel of rings, and writes it as a
// Windows .ico file with 16, 32 and 48 pixel images (32-bit colour with alpha).
// The output depends on nothing but this code, so it regenerates byte for byte.
//
// usage: make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

struct Pixel {
    uint8_t b, g, r, a;
};

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// Rings shrink with depth and drift off-centre, as a tunnel that bends away.
Pixel Shade(double x, double y) {
    const int kRings = 7;
    double best = 0.0;
    double depthOfBest = 0.0;
    for (int k = 0; k < kRings; ++k) {
        double depth = 1.0 + 0.55 * k;
        double radius = 0.92 / depth;
        double cx = 0.10 * k / depth;
        double cy = -0.06 * k / depth;
        double distance = std::fabs(std::hypot(x - cx, y - cy) - radius);
        double width = 0.09 / depth;
        double coverage = 1.0 - distance / width;
        if (coverage > best) {
            best = coverage;
            depthOfBest = depth;
        }
    }
    if (best <= 0.0) return {0, 0, 0, 0};
    double fade = 1.0 / depthOfBest;
    auto channel = [&](double base) { return static_cast<uint8_t>(std::lround(255.0 * base * fade)); };
    uint8_t alpha = static_cast<uint8_t>(std::lround(255.0 * std::fmin(1.0, best * 1.6)));
    return {channel(1.0), channel(0.75), channel(0.30), alpha};
}

std::vector<uint8_t> IconImage(int size) {
    std::vector<uint8_t> out;
    Put32(out, 40);  // BITMAPINFOHEADER size
    Put32(out, static_cast<uint32_t>(size));
    Put32(out, static_cast<uint32_t>(size * 2));  // colour rows, then mask rows
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    std::vector<uint8_t> mask;
    int maskPitch = ((size + 31) / 32) * 4;
    for (int row = 0; row < size; ++row) {  // bottom-up
        std::vector<uint8_t> maskRow(static_cast<size_t>(maskPitch), 0);
        for (int col = 0; col < size; ++col) {
            double x = (col + 0.5) / size * 2.0 - 1.0;
            double y = (row + 0.5) / size * 2.0 - 1.0;
            Pixel p = Shade(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
            if (p.a == 0) maskRow[static_cast<size_t>(col / 8)] |= static_cast<uint8_t>(0x80 >> (col % 8));
        }
        mask.insert(mask.end(), maskRow.begin(), maskRow.end());
    }
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
        return 2;
    }
    const int sizes[] = {16, 32, 48};
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes) images.push_back(IconImage(size));

    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<uint8_t>(sizes[i]));
        file.push_back(static_cast<uint8_t>(sizes[i]));
        file.push_back(0);  // no palette
        file.push_back(0);
        Put16(file, 1);   // planes
        Put16(file, 32);  // bits per pixel
        Put32(file, static_cast<uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    written = std::fclose(out) == 0 && written;
    if (!written) {
        std::fprintf(stderr, "make_icon: could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
