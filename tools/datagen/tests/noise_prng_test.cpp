#include <gtest/gtest.h>

#include <cmath>

#include "tools/datagen/prng.h"
#include "tools/datagen/value_noise.h"

namespace {

TEST(Prng, ZeroSeedStillMovesAndSameSeedRepeats) {
  datagen::Prng a = datagen::prng_seeded(0);
  datagen::Prng b = datagen::prng_seeded(0);
  EXPECT_NE(datagen::prng_next(a), 0u);
  EXPECT_NE(datagen::prng_next(a), datagen::prng_next(a));
  datagen::prng_next(b);
  datagen::Prng c = datagen::prng_seeded(7);
  EXPECT_NE(datagen::prng_next(b), datagen::prng_next(c));
}

TEST(Prng, UnitDrawsStayInRangeAndSpreadEvenly) {
  datagen::Prng p = datagen::prng_seeded(12345);
  int buckets[10] = {};
  for (int i = 0; i < 20000; ++i) {
    const double u = datagen::prng_unit(p);
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    ++buckets[int(u * 10)];
  }
  for (int b : buckets) EXPECT_NEAR(b, 2000, 200);
  for (int i = 0; i < 1000; ++i) {
    const double r = datagen::prng_range(p, -3.0, 5.0);
    ASSERT_GE(r, -3.0);
    ASSERT_LT(r, 5.0);
  }
}

TEST(ValueNoise, BoundedAndContinuousAcrossCellEdges) {
  for (double x = -3.0; x < 3.0; x += 0.173) {
    for (double y = -3.0; y < 3.0; y += 0.219) {
      const double v = datagen::value_noise(x, y, 5);
      ASSERT_GE(v, 0.0);
      ASSERT_LE(v, 1.0);
      const double f = datagen::fractal_noise(x, y, 5, 5);
      ASSERT_GE(f, 0.0);
      ASSERT_LE(f, 1.0);
    }
  }
  // Either side of a lattice line the value barely moves.
  for (int k = -2; k <= 2; ++k) {
    const double edge = double(k);
    EXPECT_NEAR(datagen::value_noise(edge - 1e-7, 0.37, 9), datagen::value_noise(edge + 1e-7, 0.37, 9), 1e-5);
    EXPECT_NEAR(datagen::value_noise(0.61, edge - 1e-7, 9), datagen::value_noise(0.61, edge + 1e-7, 9), 1e-5);
  }
}

TEST(ValueNoise, SeedsGiveDifferentFields) {
  int differ = 0;
  for (int i = 0; i < 20; ++i)
    differ += datagen::value_noise(i * 0.5, i * 0.3, 1) != datagen::value_noise(i * 0.5, i * 0.3, 2);
  EXPECT_GT(differ, 15);
}

}  // namespace
