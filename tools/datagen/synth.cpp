#include "tools/datagen/synth.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/det_math.h"
#include "tools/datagen/prng.h"

namespace datagen {

namespace {

constexpr int kTableSize = 4096;

// One cycle of a waveform, read with a phase in cycles.
struct Wavetable {
  std::vector<float> samples;
};

Wavetable make_table(int harmonics) {
  Wavetable t;
  t.samples.resize(kTableSize + 1);
  double peak = 0.0;
  std::vector<double> raw(kTableSize);
  for (int i = 0; i < kTableSize; ++i) {
    double s = 0.0;
    for (int k = 1; k <= harmonics; ++k) s += std::sin(2.0 * kPi * k * i / kTableSize) / k;
    raw[size_t(i)] = s;
    peak = std::max(peak, std::fabs(s));
  }
  for (int i = 0; i < kTableSize; ++i) t.samples[size_t(i)] = float(raw[size_t(i)] / peak);
  t.samples[kTableSize] = t.samples[0];  // guard for the interpolation
  return t;
}

const Wavetable& sine_table() {
  static const Wavetable t = make_table(1);
  return t;
}

const Wavetable& saw_table() {
  static const Wavetable t = make_table(10);
  return t;
}

double read(const Wavetable& t, double phase) {
  const double p = (phase - std::floor(phase)) * kTableSize;
  const int i = int(p);
  const double f = p - i;
  return t.samples[size_t(i)] + (t.samples[size_t(i) + 1] - t.samples[size_t(i)]) * f;
}

// Adds s at frame i with a constant-power pan.
void put(StereoBuffer& out, size_t i, double s, double pan) {
  if (i >= out.left.size()) return;
  const double a = (pan + 1.0) * kPi / 4.0;
  out.left[i] += float(s * std::cos(a));
  out.right[i] += float(s * std::sin(a));
}

size_t frame_of(double seconds) { return size_t(std::max(0.0, seconds) * kSampleRate + 0.5); }

// Linear attack, hold, then an exponential release after `length`.
double envelope(double t, double attack, double length, double release) {
  if (t < attack) return t / attack;
  if (t < length) return 1.0;
  return std::exp(-(t - length) / release);
}

// Ten-millisecond fade at the end of a note's span, so cutting its tail never clicks.
double taper(size_t n, size_t frames) { return std::min(1.0, double(frames - n) / (0.01 * kSampleRate)); }

}  // namespace

StereoBuffer make_buffer(double seconds) {
  const size_t n = frame_of(seconds);
  return StereoBuffer{std::vector<float>(n, 0.0f), std::vector<float>(n, 0.0f)};
}

double midi_to_hz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

void add_pad_note(StereoBuffer& out, double start, double length, int note, double gain) {
  const double f = midi_to_hz(note);
  const double detune[2] = {std::pow(2.0, 6.0 / 1200.0), std::pow(2.0, -6.0 / 1200.0)};
  const double pans[2] = {-0.6, 0.6};
  const size_t first = frame_of(start);
  const size_t frames = frame_of(length + 5.0 * 0.9);
  for (int v = 0; v < 2; ++v) {
    double phase = 0.25 * v, low = 0.0;
    const double step = f * detune[v] / kSampleRate;
    for (size_t n = 0; n < frames; ++n) {
      const double t = double(n) / kSampleRate;
      phase += step;
      // A one-pole low-pass (about 1.6 kHz) softens the saw into a string pad.
      low += 0.2 * (read(saw_table(), phase) - low);
      const double breath = 1.0 + 0.12 * std::sin(2.0 * kPi * 0.23 * t + v);
      put(out, first + n, taper(n, frames) * gain * low * breath * envelope(t, 0.9, length, 0.9), pans[v]);
    }
  }
}

void add_bass_note(StereoBuffer& out, double start, double length, int note, double gain) {
  const double f = midi_to_hz(note);
  const size_t first = frame_of(start);
  const size_t frames = frame_of(length + 0.1);
  double carrier = 0.0, modulator = 0.0, sub = 0.0;
  for (size_t n = 0; n < frames; ++n) {
    const double t = double(n) / kSampleRate;
    modulator += f / kSampleRate;
    carrier += f / kSampleRate;
    sub += 0.5 * f / kSampleRate;
    const double index = 0.5 + 2.0 * std::exp(-t / 0.07);
    const double fm = read(sine_table(), carrier + index * read(sine_table(), modulator) / (2.0 * kPi));
    const double amp = envelope(t, 0.004, length, 0.02) * (0.55 + 0.45 * std::exp(-t / 0.3));
    put(out, first + n, taper(n, frames) * gain * amp * (0.75 * fm + 0.35 * read(sine_table(), sub)), 0.0);
  }
}

void add_bell_note(StereoBuffer& out, double start, int note, double gain, double pan) {
  const double f = midi_to_hz(note);
  const size_t first = frame_of(start);
  const size_t frames = frame_of(1.2);
  double carrier = 0.0, modulator = 0.0;
  for (size_t n = 0; n < frames; ++n) {
    const double t = double(n) / kSampleRate;
    carrier += f / kSampleRate;
    modulator += 2.0 * f / kSampleRate;
    const double index = 1.4 * std::exp(-t / 0.12);
    const double s = read(sine_table(), carrier + index * read(sine_table(), modulator) / (2.0 * kPi));
    const double amp = std::min(1.0, t / 0.003) * std::exp(-t / 0.28);
    put(out, first + n, taper(n, frames) * gain * amp * s, pan);
  }
}

void add_lead_note(StereoBuffer& out, double start, double length, int note, double gain) {
  const double f = midi_to_hz(note);
  const size_t first = frame_of(start);
  const size_t frames = frame_of(length + 0.8);
  double phase = 0.0;
  for (size_t n = 0; n < frames; ++n) {
    const double t = double(n) / kSampleRate;
    // Vibrato grows in after the attack.
    const double depth = 0.004 * std::min(1.0, std::max(0.0, (t - 0.25) / 0.4));
    phase += f * (1.0 + depth * std::sin(2.0 * kPi * 5.4 * t)) / kSampleRate;
    const double s = read(sine_table(), phase) + 0.28 * read(sine_table(), 2.0 * phase) +
                     0.1 * read(sine_table(), 3.0 * phase);
    put(out, first + n, taper(n, frames) * gain * s * envelope(t, 0.04, length, 0.18), 0.15);
  }
}

void add_kick(StereoBuffer& out, double start, double gain) {
  const size_t first = frame_of(start);
  double phase = 0.0;
  const size_t frames = frame_of(0.5);
  for (size_t n = 0; n < frames; ++n) {
    const double t = double(n) / kSampleRate;
    phase += (44.0 + 100.0 * std::exp(-t / 0.03)) / kSampleRate;
    put(out, first + n, taper(n, frames) * gain * std::exp(-t / 0.2) * read(sine_table(), phase), 0.0);
  }
}

void add_snare(StereoBuffer& out, double start, double gain, uint32_t seed) {
  Prng rng = prng_seeded(seed);
  const size_t first = frame_of(start);
  double low = 0.0, phase = 0.0;
  const size_t frames = frame_of(0.4);
  for (size_t n = 0; n < frames; ++n) {
    const double t = double(n) / kSampleRate;
    const double white = 2.0 * prng_unit(rng) - 1.0;
    low += 0.35 * (white - low);  // a band: the low-passed noise minus its slow part
    phase += 185.0 / kSampleRate;
    const double s = 0.8 * low * std::exp(-t / 0.09) + 0.5 * read(sine_table(), phase) * std::exp(-t / 0.045);
    put(out, first + n, taper(n, frames) * gain * s, -0.1);
  }
}

void add_hat(StereoBuffer& out, double start, double gain, uint32_t seed) {
  Prng rng = prng_seeded(seed);
  const size_t first = frame_of(start);
  double previous = 0.0;
  const size_t frames = frame_of(0.15);
  for (size_t n = 0; n < frames; ++n) {
    const double t = double(n) / kSampleRate;
    const double white = 2.0 * prng_unit(rng) - 1.0;
    const double high = white - previous;  // first difference: a high-pass
    previous = white;
    put(out, first + n, taper(n, frames) * gain * 0.5 * high * std::exp(-t / 0.028), 0.35);
  }
}

void add_echo(StereoBuffer& out, const StereoBuffer& send, double delay, double feedback) {
  const size_t d = frame_of(delay);
  const size_t n = std::min(out.left.size(), send.left.size());
  std::vector<float> echo_left(n, 0.0f), echo_right(n, 0.0f);
  for (size_t i = d; i < n; ++i) {
    const double dry = 0.5 * (send.left[i - d] + send.right[i - d]);
    echo_left[i] = float(dry + feedback * echo_right[i - d]);
    echo_right[i] = float(feedback * echo_left[i - d]);
  }
  for (size_t i = 0; i < n; ++i) {
    out.left[i] += 0.45f * echo_left[i];
    out.right[i] += 0.45f * echo_right[i];
  }
}

void normalize(StereoBuffer& b, double peak) {
  float top = 0.0f;
  for (float s : b.left) top = std::max(top, std::fabs(s));
  for (float s : b.right) top = std::max(top, std::fabs(s));
  if (top <= 0.0f) return;
  const float k = float(peak / top);
  for (float& s : b.left) s *= k;
  for (float& s : b.right) s *= k;
}

}  // namespace datagen
