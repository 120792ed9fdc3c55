#pragma once
// Additive lagged-Fibonacci generator (lags 24 and 55), seeded by the
// Park-Miller minimal standard generator. Explicit seeding makes the tunnel
// reproducible: the same file and seed give the same sections.
#include <cstdint>

class AdditiveRandom {
public:
    AdditiveRandom() { Seed(1); }
    void Seed(uint32_t s);
    uint32_t Next();

private:
    uint32_t MinimalStandard();

    uint32_t lcg = 0;
    uint32_t table[56] = {};  // entries 1 ... 55 are used
    uint32_t j = 24;          // short-lag index
    uint32_t k = 55;          // long-lag index
};
