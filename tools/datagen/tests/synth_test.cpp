#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/datagen/det_math.h"
#include "tools/datagen/song.h"
#include "tools/datagen/synth.h"
#include "tools/datagen/wav_write.h"

namespace {

uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

TEST(DetMath, AgreesWithTheLibraryOverManyTurns) {
  for (double x = -40.0; x <= 40.0; x += 0.0137) {
    ASSERT_NEAR(datagen::det_sin(x), std::sin(x), 1e-10) << x;
    ASSERT_NEAR(datagen::det_cos(x), std::cos(x), 1e-10) << x;
  }
}

TEST(WavWrite, HeaderDescribes16BitStereoAndSamplesAreClamped) {
  datagen::StereoBuffer b{{0.0f, 0.5f, 2.0f}, {-1.0f, -3.0f, 0.25f}};
  const std::vector<uint8_t> w = datagen::wav_encode_pcm16(b, 44100);
  ASSERT_EQ(w.size(), 44u + 12);
  EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
  EXPECT_EQ(le32(w, 4), w.size() - 8);
  EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(le16(w, 20), 1u);
  EXPECT_EQ(le16(w, 22), 2u);
  EXPECT_EQ(le32(w, 24), 44100u);
  EXPECT_EQ(le32(w, 28), 44100u * 4);
  EXPECT_EQ(le16(w, 32), 4u);
  EXPECT_EQ(le16(w, 34), 16u);
  EXPECT_EQ(le32(w, 40), 12u);
  EXPECT_EQ(int16_t(le16(w, 46)), -32767);  // right of frame 0
  EXPECT_EQ(int16_t(le16(w, 48)), 16384);   // 0.5 rounds up
  EXPECT_EQ(int16_t(le16(w, 50)), -32767);  // -3 clamped
  EXPECT_EQ(int16_t(le16(w, 52)), 32767);   // 2 clamped
}

TEST(Synth, NotesLandAtTheirStartTimeAndNormalizeSetsThePeak) {
  datagen::StereoBuffer b = datagen::make_buffer(1.0);
  ASSERT_EQ(b.left.size(), size_t(datagen::kSampleRate));
  datagen::add_kick(b, 0.5, 0.6);
  double before = 0.0, after = 0.0;
  for (size_t i = 0; i < b.left.size(); ++i) (i < b.left.size() / 2 ? before : after) += std::fabs(b.left[i]);
  EXPECT_EQ(before, 0.0);
  EXPECT_GT(after, 0.0);
  datagen::normalize(b, 0.5);
  float peak = 0.0f;
  for (size_t i = 0; i < b.left.size(); ++i) peak = std::max({peak, std::fabs(b.left[i]), std::fabs(b.right[i])});
  EXPECT_NEAR(peak, 0.5f, 1e-6);
}

TEST(Song, MasterLevelRisesHoldsAndEndsBeforeThePictureDoes) {
  EXPECT_EQ(datagen::master_gain(0.0), 0.0);
  EXPECT_GT(datagen::master_gain(5.0), 0.0);
  EXPECT_LT(datagen::master_gain(5.0), 1.0);
  EXPECT_EQ(datagen::master_gain(10.0), 1.0);
  EXPECT_EQ(datagen::master_gain(258.0), 1.0);
  EXPECT_LT(datagen::master_gain(262.0), 1.0);
  EXPECT_EQ(datagen::master_gain(266.0), 0.0);
  EXPECT_EQ(datagen::master_gain(datagen::kSongSeconds), 0.0);
  for (double t = 0.0; t < 10.0; t += 0.5) EXPECT_LE(datagen::master_gain(t), datagen::master_gain(t + 0.5));
  for (double t = 258.0; t < 268.0; t += 0.5) EXPECT_GE(datagen::master_gain(t), datagen::master_gain(t + 0.5));
}

}  // namespace
