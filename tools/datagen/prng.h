#pragma once
#include <cstdint>

namespace datagen {

// A 32-bit xorshift generator: small, seeded explicitly, the same everywhere.
struct Prng {
  uint32_t state;
};

Prng prng_seeded(uint32_t seed);
uint32_t prng_next(Prng& p);
// Uniform in [0, 1), from the top 24 bits.
double prng_unit(Prng& p);
// Uniform in [lo, hi).
double prng_range(Prng& p, double lo, double hi);

}  // namespace datagen
