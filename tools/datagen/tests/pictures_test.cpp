#include "tools/datagen/pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int brightness(datagen::Rgb c) { return c.r + c.g + c.b; }

TEST(Pictures, SizesAndFormatsAsTheDemoUsesThem) {
  const datagen::RgbPicture backdrop = datagen::make_backdrop();
  EXPECT_EQ(backdrop.width, 320);
  EXPECT_EQ(backdrop.height, 240);
  EXPECT_EQ(backdrop.pixels.size(), 320u * 240u);
  const datagen::IndexedPicture halo = datagen::make_halo_overlay();
  EXPECT_EQ(halo.bits, 8);
  EXPECT_LE(halo.palette.size(), 256u);
  EXPECT_EQ(halo.indices.size(), size_t(halo.width) * size_t(halo.height));
  const datagen::IndexedPicture ladder = datagen::make_ladder_overlay();
  EXPECT_EQ(ladder.bits, 4);
  EXPECT_LE(ladder.palette.size(), 16u);
  EXPECT_EQ(ladder.indices.size(), size_t(ladder.width) * size_t(ladder.height));
  EXPECT_EQ(ladder.width % 2, 0);  // an even width keeps the nibbles of a row in whole bytes
  for (const datagen::IndexedPicture* p : {&halo, &ladder})
    for (uint8_t i : p->indices) ASSERT_LT(i, p->palette.size());
}

TEST(Pictures, BackdropIsVariedAndNeverBlack) {
  // Tinted to 30 % it must still show: no black, a wide spread of levels.
  const datagen::RgbPicture backdrop = datagen::make_backdrop();
  int darkest = 765, brightest = 0;
  std::set<int> levels;
  for (const datagen::Rgb& c : backdrop.pixels) {
    darkest = std::min(darkest, brightness(c));
    brightest = std::max(brightest, brightness(c));
    levels.insert(brightness(c) / 8);
  }
  EXPECT_GT(darkest, 0);
  EXPECT_GT(brightest - darkest, 400);
  EXPECT_GT(levels.size(), 40u);
}

TEST(Pictures, OverlaysAreMostlyBlackWithSomeBrightPixels) {
  for (const datagen::IndexedPicture& p : {datagen::make_halo_overlay(), datagen::make_ladder_overlay()}) {
    size_t black = 0, bright = 0;
    for (uint8_t i : p.indices) {
      if (brightness(p.palette[i]) == 0) ++black;
      if (brightness(p.palette[i]) > 3 * 180) ++bright;
    }
    EXPECT_GT(black, p.indices.size() / 2);
    EXPECT_GT(bright, p.indices.size() / 200);
    // Black around the edges, so the quad's border never shows.
    for (int x = 0; x < p.width; ++x) {
      EXPECT_EQ(brightness(p.palette[p.indices[size_t(x)]]), 0) << "top row " << x;
      EXPECT_EQ(brightness(p.palette[p.indices[size_t(p.height - 1) * size_t(p.width) + size_t(x)]]), 0);
    }
  }
}

}  // namespace
