#pragma once
// Ring sizes and section point counts are powers of two, so that every wrap
// around the ring or the section is a mask; old drivers need textures of
// such sizes too.
#include <cstdint>

constexpr bool IsPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }
