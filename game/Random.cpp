#include "game/Random.h"

#include <chrono>
#include <random>

namespace {
std::mt19937_64& Generator() {
    static std::mt19937_64 generator{0x5157u};
    return generator;
}
}  // namespace

void SeedRandom(uint64_t seed) { Generator().seed(seed); }

void SeedRandomFromClock() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    SeedRandom(static_cast<uint64_t>(now));
}

int32_t Random(int32_t n) {
    if (n < 1) return 0;
    // Rejection sampling: draws from the top partial block of the 64-bit
    // range would favour small results, so they are thrown back.
    const uint64_t range = static_cast<uint64_t>(n);
    const uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    uint64_t draw;
    do {
        draw = Generator()();
    } while (draw >= limit);
    return static_cast<int32_t>(draw % range);
}
