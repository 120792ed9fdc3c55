#include "tunnel/additive_random.h"

// One step of the minimal standard generator (multiplier 48271) in Schrage's
// form, which never overflows 32 bits.
uint32_t AdditiveRandom::MinimalStandard() {
    constexpr uint32_t q = 44488, r = 3399;
    const int64_t next = int64_t{48271} * (lcg % q) - int64_t{r} * (lcg / q);
    lcg = static_cast<uint32_t>(next <= 0 ? next + 2147483647 : next);
    return lcg;
}

void AdditiveRandom::Seed(uint32_t s) {
    lcg = s;
    for (uint32_t& entry : table) {
        const uint32_t first = MinimalStandard();
        entry = first + MinimalStandard();
    }
    j = 24;
    k = 55;
}

uint32_t AdditiveRandom::Next() {
    table[k] += table[j];
    const uint32_t result = table[k];
    --j;
    --k;
    if (j == 0)
        j = 55;
    else if (k == 0)
        k = 55;
    return result;
}
