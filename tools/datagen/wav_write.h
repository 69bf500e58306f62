#pragma once
// RIFF WAVE encoding of a stereo float buffer as 16-bit PCM.
#include <cstdint>
#include <vector>

#include "tools/datagen/synth.h"

namespace datagen {

// Samples are clamped to [-1, 1] and scaled to 16 bits, left and right interleaved.
std::vector<uint8_t> wav_encode_pcm16(const StereoBuffer& audio, int sample_rate);

}  // namespace datagen
