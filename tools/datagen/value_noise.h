#pragma once
// Smooth lattice noise from an integer hash: plain arithmetic, no tables.
#include <cstdint>

namespace datagen {

// In [0, 1], smooth between the integer lattice points; `seed` picks the field.
double value_noise(double x, double y, uint32_t seed);

// Sum of `octaves` layers, each twice the frequency and half the weight; in [0, 1].
double fractal_noise(double x, double y, int octaves, uint32_t seed);

}  // namespace datagen
