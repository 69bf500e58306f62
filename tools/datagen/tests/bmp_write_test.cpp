#include "tools/datagen/bmp_write.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using datagen::Rgb;

uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

TEST(BmpWrite, Rgb24HeaderFieldsAndPaddedRows) {
  // Width 3: 9 bytes of pixels, 3 bytes of padding per row.
  std::vector<Rgb> px;
  for (int i = 0; i < 6; ++i) px.push_back(Rgb{uint8_t(10 * i), uint8_t(10 * i + 1), uint8_t(10 * i + 2)});
  const std::vector<uint8_t> b = datagen::bmp_encode_rgb24(3, 2, px);
  ASSERT_EQ(b.size(), 54u + 2 * 12);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(le32(b, 2), b.size());
  EXPECT_EQ(le32(b, 10), 54u);
  EXPECT_EQ(le32(b, 14), 40u);
  EXPECT_EQ(le32(b, 18), 3u);
  EXPECT_EQ(le32(b, 22), 2u);
  EXPECT_EQ(le16(b, 26), 1u);
  EXPECT_EQ(le16(b, 28), 24u);
  EXPECT_EQ(le32(b, 30), 0u);
  EXPECT_EQ(le32(b, 34), 24u);
  EXPECT_EQ(le32(b, 46), 0u);
  // The first stored row is the picture's bottom row (pixels 3..5), blue first.
  EXPECT_EQ(b[54], 32);
  EXPECT_EQ(b[55], 31);
  EXPECT_EQ(b[56], 30);
  EXPECT_EQ(b[54 + 8], 50);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(b[54 + 9 + k], 0) << "padding byte " << k;
  EXPECT_EQ(b[54 + 12], 2);  // top row's first pixel, blue
}

TEST(BmpWrite, Rgb24WidthFourHasNoPadding) {
  const std::vector<uint8_t> b = datagen::bmp_encode_rgb24(4, 1, std::vector<Rgb>(4, Rgb{1, 2, 3}));
  EXPECT_EQ(b.size(), 54u + 12);
  EXPECT_EQ(le32(b, 34), 12u);
}

TEST(BmpWrite, EightBitCarriesItsPaletteSizeAsColoursUsed) {
  std::vector<Rgb> palette;
  for (int i = 0; i < 17; ++i) palette.push_back(Rgb{uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});
  const std::vector<uint8_t> idx = {0, 16, 5, 1, 2, 3, 4, 6, 7, 8};
  const std::vector<uint8_t> b = datagen::bmp_encode_indexed(5, 2, 8, palette, idx);
  const size_t data = 54 + 17 * 4;
  ASSERT_EQ(b.size(), data + 2 * 8);
  EXPECT_EQ(le32(b, 10), data);
  EXPECT_EQ(le16(b, 28), 8u);
  EXPECT_EQ(le32(b, 46), 17u);
  // Palette entry 16: blue, green, red, reserved.
  EXPECT_EQ(b[54 + 64], 48);
  EXPECT_EQ(b[54 + 65], 32);
  EXPECT_EQ(b[54 + 66], 16);
  EXPECT_EQ(b[54 + 67], 0);
  // Bottom row first: indices 3, 4, 6, 7, 8, then three padding bytes.
  EXPECT_EQ(b[data], 3);
  EXPECT_EQ(b[data + 4], 8);
  EXPECT_EQ(b[data + 5], 0);
  EXPECT_EQ(b[data + 8], 0);
  EXPECT_EQ(b[data + 9], 16);
}

TEST(BmpWrite, FourBitPacksTheLeftPixelInTheHighNibble) {
  const std::vector<Rgb> palette(16, Rgb{9, 9, 9});
  const std::vector<uint8_t> idx = {1, 2, 3, 4, 15};
  const std::vector<uint8_t> b = datagen::bmp_encode_indexed(5, 1, 4, palette, idx);
  const size_t data = 54 + 16 * 4;
  ASSERT_EQ(b.size(), data + 4);
  EXPECT_EQ(le16(b, 28), 4u);
  EXPECT_EQ(le32(b, 34), 4u);
  EXPECT_EQ(b[data], 0x12);
  EXPECT_EQ(b[data + 1], 0x34);
  EXPECT_EQ(b[data + 2], 0xF0);
  EXPECT_EQ(b[data + 3], 0x00);
}

}  // namespace
