#include "display/texture_fit.h"

#include <algorithm>

namespace {

uint32_t LargestPowerOfTwoAtMost(uint32_t value) {
    uint32_t power = 1;
    while (power <= value / 2) power *= 2;
    return power;
}

uint32_t FittedSide(uint32_t side, const TextureLimits& limits) {
    const uint32_t held = std::min(side, std::max(limits.largest, 1u));
    return limits.anySize ? held : LargestPowerOfTwoAtMost(held);
}

// Which source texels each output texel of one axis covers, and by how much:
// output texel i covers [i * ratio, (i + 1) * ratio) of the source.
struct Span {
    uint32_t first = 0;
    std::vector<double> weights;  // of source texels first, first + 1, ...
};

std::vector<Span> Spans(uint32_t from, uint32_t to) {
    std::vector<Span> spans(to);
    const double ratio = static_cast<double>(from) / to;
    for (uint32_t i = 0; i < to; ++i) {
        const double begin = i * ratio, end = (i + 1) * ratio;
        Span& span = spans[i];
        span.first = static_cast<uint32_t>(begin);
        for (uint32_t s = span.first; s < from && s < end; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
            span.weights.push_back(covered / ratio);
        }
    }
    return spans;
}

}  // namespace

TextureSize FittedSize(TextureSize image, const TextureLimits& limits) {
    if (image.width == 0 || image.height == 0) return image;
    return {FittedSide(image.width, limits), FittedSide(image.height, limits)};
}

std::vector<uint8_t> ScaleTexels(const std::vector<uint8_t>& texels, TextureSize from, TextureSize to) {
    if (from.width == to.width && from.height == to.height) return texels;
    const std::vector<Span> across = Spans(from.width, to.width), down = Spans(from.height, to.height);
    std::vector<uint8_t> scaled(size_t{to.width} * to.height * 3);
    for (uint32_t y = 0; y < to.height; ++y)
        for (uint32_t x = 0; x < to.width; ++x)
            for (uint32_t c = 0; c < 3; ++c) {
                double sum = 0.0;
                for (size_t j = 0; j < down[y].weights.size(); ++j) {
                    const size_t row = (size_t{down[y].first} + j) * from.width;
                    for (size_t i = 0; i < across[x].weights.size(); ++i)
                        sum += down[y].weights[j] * across[x].weights[i] *
                               texels[(row + across[x].first + i) * 3 + c];
                }
                scaled[(size_t{y} * to.width + x) * 3 + c] =
                    static_cast<uint8_t>(std::clamp(sum + 0.5, 0.0, 255.0));
            }
    return scaled;
}
