#include "tools/datagen/det_math.h"

#include <cmath>

namespace datagen {

namespace {

// Reduces x to [-pi, pi]; std::fmod and std::floor are exact operations.
double reduce(double x) {
  const double two_pi = 2.0 * kPi;
  double r = std::fmod(x, two_pi);
  if (r > kPi) r -= two_pi;
  if (r < -kPi) r += two_pi;
  return r;
}

// Taylor series of sin on [-pi/2, pi/2]; the error of the x^19 term is below 1e-12.
double sin_core(double x) {
  double term = x;
  double sum = x;
  const double x2 = x * x;
  for (int k = 1; k <= 9; ++k) {
    term = -term * x2 / double((2 * k) * (2 * k + 1));
    sum += term;
  }
  return sum;
}

}  // namespace

double det_sin(double x) {
  double r = reduce(x);
  // sin(pi - r) = sin(r) folds the outer quarters onto the core range.
  if (r > kPi / 2) r = kPi - r;
  if (r < -kPi / 2) r = -kPi - r;
  return sin_core(r);
}

double det_cos(double x) { return det_sin(x + kPi / 2); }

}  // namespace datagen
