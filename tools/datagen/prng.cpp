#include "tools/datagen/prng.h"

namespace datagen {

Prng prng_seeded(uint32_t seed) {
  // xorshift never leaves the all-zero state, so that seed is mapped away.
  Prng p{seed != 0 ? seed : 0x9E3779B9u};
  for (int i = 0; i < 4; ++i) prng_next(p);
  return p;
}

uint32_t prng_next(Prng& p) {
  uint32_t x = p.state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  p.state = x;
  return x;
}

double prng_unit(Prng& p) { return double(prng_next(p) >> 8) / 16777216.0; }

double prng_range(Prng& p, double lo, double hi) { return lo + (hi - lo) * prng_unit(p); }

}  // namespace datagen
