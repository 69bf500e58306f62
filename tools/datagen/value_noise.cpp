#include "tools/datagen/value_noise.h"

#include <cmath>

namespace datagen {

namespace {

double lattice(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return double(h >> 8) / 16777215.0;
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

}  // namespace

double value_noise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = int32_t(fx), iy = int32_t(fy);
  const double tx = smooth(x - fx), ty = smooth(y - fy);
  const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
  const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
  const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return top + (bottom - top) * ty;
}

double fractal_noise(double x, double y, int octaves, uint32_t seed) {
  double sum = 0.0, weight = 1.0, total = 0.0, freq = 1.0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * value_noise(x * freq, y * freq, seed + uint32_t(i) * 101u);
    total += weight;
    weight *= 0.5;
    freq *= 2.0;
  }
  return sum / total;
}

}  // namespace datagen
