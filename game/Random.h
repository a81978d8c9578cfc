// The one pseudo-random generator of the process, shared by the secret
// code and the hint pick. Seeded from the clock once at start-up; tests
// seed it themselves for repeatable games.
#pragma once

#include <cstdint>

void SeedRandom(uint64_t seed);
void SeedRandomFromClock();

// A uniformly distributed integer in 0..n-1; 0 when n < 1.
int32_t Random(int32_t n);
