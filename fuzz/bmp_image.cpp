// .bmp files as a user could make them, read in both row orders and turned
// into the texture's texels as the program does. A file that is accepted must
// give an image whose every pixel and palette entry can be read.
#include "display/image.h"
#include "display/texture.h"
#include "fuzz_support.h"

namespace {

// Reads every byte the image claims to own, so that the sanitizer sees any
// allocation shorter than its size fields.
uint32_t Checksum(const Image& image) {
    uint32_t sum = 0;
    const uint64_t pixelBytes = uint64_t{image.pitch} * static_cast<uint64_t>(image.height);
    for (uint64_t i = 0; i < pixelBytes; ++i) sum += image.pixels[i];
    if (image.palette != nullptr)
        for (uint32_t i = 0; i < (4u << image.format.bpp); ++i) sum += image.palette[i];
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::AsFile(fuzz::Bytes(data, size));
    for (bool topDown : {false, true}) {
        Image image;
        if (!image.Load(path.c_str(), topDown)) {
            fuzz::Require(*Image::status.Message() != '\0', "a refused file leaves its reason");
            continue;
        }
        fuzz::Require(image.height >= 0, "an image's height counts rows");
        fuzz::Require(image.pitch >= Image::RowBytes(image.width, image.format.bpp, 1), "a row holds its pixels");
        fuzz::Require(image.height == 0 || image.pixels != nullptr, "rows have pixels");
        volatile uint32_t sum = Checksum(image);
        (void)sum;
        const std::vector<uint8_t> texels = BgrTexels(image);
        fuzz::Require(
            texels.empty() || texels.size() == uint64_t{image.width} * 3 * static_cast<uint64_t>(image.height),
            "texels cover the image exactly");
    }
    return 0;
}
