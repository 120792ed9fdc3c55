#pragma once
// A display mode: four unsigned 32-bit values, compared as numbers.
#include <cstdint>
#include <tuple>

struct ScreenMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bits = 0;       // bits per pixel
    uint32_t frequency = 0;  // refresh rate in Hz, 0 = the platform's default
};

// Ascending by width, then height, then bits, then refresh rate.
inline bool operator<(const ScreenMode& a, const ScreenMode& b) {
    return std::tie(a.width, a.height, a.bits, a.frequency) < std::tie(b.width, b.height, b.bits, b.frequency);
}

inline bool operator==(const ScreenMode& a, const ScreenMode& b) {
    return std::tie(a.width, a.height, a.bits, a.frequency) == std::tie(b.width, b.height, b.bits, b.frequency);
}
