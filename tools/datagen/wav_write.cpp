#include "tools/datagen/wav_write.h"
#include "tools/datagen/little_endian.h"

#include <algorithm>
#include <cmath>

namespace datagen {

namespace {

void put_tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

int16_t to_pcm(float s) {
  const float c = std::min(1.0f, std::max(-1.0f, s));
  return int16_t(std::lround(c * 32767.0f));
}

}  // namespace

std::vector<uint8_t> wav_encode_pcm16(const StereoBuffer& audio, int sample_rate) {
  const size_t frames = std::min(audio.left.size(), audio.right.size());
  const uint32_t data_bytes = uint32_t(frames * 4);
  std::vector<uint8_t> out;
  out.reserve(44 + data_bytes);
  put_tag(out, "RIFF");
  put32(out, 36 + data_bytes);
  put_tag(out, "WAVE");
  put_tag(out, "fmt ");
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 2);  // channels
  put32(out, uint32_t(sample_rate));
  put32(out, uint32_t(sample_rate) * 4);  // bytes per second
  put16(out, 4);                          // bytes per frame
  put16(out, 16);                         // bits per sample
  put_tag(out, "data");
  put32(out, data_bytes);
  for (size_t i = 0; i < frames; ++i) {
    put16(out, uint16_t(to_pcm(audio.left[i])));
    put16(out, uint16_t(to_pcm(audio.right[i])));
  }
  return out;
}

}  // namespace datagen
