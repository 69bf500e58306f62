#pragma once
// Instruments of the demo's music: each adds one note or hit into a stereo
// buffer at a time in seconds. Wavetable oscillators, two-operator FM and
// filtered noise.
#include <cstdint>
#include <vector>

namespace datagen {

constexpr int kSampleRate = 44100;

struct StereoBuffer {
  std::vector<float> left, right;
};

StereoBuffer make_buffer(double seconds);

double midi_to_hz(int note);

// pan: -1 left .. 1 right.
void add_pad_note(StereoBuffer& out, double start, double length, int note, double gain);
void add_bass_note(StereoBuffer& out, double start, double length, int note, double gain);
void add_bell_note(StereoBuffer& out, double start, int note, double gain, double pan);
void add_lead_note(StereoBuffer& out, double start, double length, int note, double gain);
void add_kick(StereoBuffer& out, double start, double gain);
void add_snare(StereoBuffer& out, double start, double gain, uint32_t seed);
void add_hat(StereoBuffer& out, double start, double gain, uint32_t seed);

// Ping-pong echo of `send` mixed into `out`: the left echo feeds the right.
void add_echo(StereoBuffer& out, const StereoBuffer& send, double delay, double feedback);

// Scales the whole buffer so that its largest sample is `peak`.
void normalize(StereoBuffer& b, double peak);

}  // namespace datagen
