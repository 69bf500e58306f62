#include "tools/datagen/song.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace datagen {

namespace {

constexpr double kBeat = 0.5;  // 120 beats a minute
constexpr double kBar = 4 * kBeat;
constexpr int kFinalBar = 128;  // the closing A minor chord, at 256 s

struct Chord {
  int notes[3];
  int bass;
};

const Chord kAm{{57, 60, 64}, 45};
const Chord kF{{57, 60, 65}, 41};
const Chord kC{{55, 60, 64}, 48};
const Chord kG{{55, 59, 62}, 43};
const Chord kDm{{57, 62, 65}, 50};
const Chord kE{{56, 59, 64}, 40};

// Two bars per chord: the main round, the breakdown round and the cadence.
const Chord* const kMain[4] = {&kAm, &kF, &kC, &kG};
const Chord* const kBreak[4] = {&kDm, &kAm, &kF, &kE};
const Chord* const kCadence[4] = {&kDm, &kF, &kG, &kE};

bool in(int bar, int first, int last) { return bar >= first && bar <= last; }

const Chord& chord_of(int bar) {
  if (bar >= kFinalBar) return kAm;
  if (in(bar, 56, 71)) return *kBreak[(bar / 2) % 4];
  if (in(bar, 120, 127)) return *kCadence[(bar / 2) % 4];
  return *kMain[(bar / 2) % 4];
}

struct Note {
  int pitch;  // MIDI note number
  int beats;
};

// Eight bars over the main round, then its answer.
const Note kTheme[] = {{76, 2}, {72, 1}, {74, 1}, {76, 3}, {69, 1}, {77, 2}, {76, 1}, {72, 1}, {69, 4},
                       {79, 2}, {76, 1}, {72, 1}, {74, 2}, {76, 2}, {74, 2}, {71, 1}, {67, 1}, {71, 2},
                       {74, 2}};
const Note kAnswer[] = {{76, 2}, {72, 1}, {74, 1}, {76, 2}, {81, 2}, {77, 2}, {76, 1}, {72, 1}, {74, 2},
                        {72, 2}, {79, 3}, {76, 1}, {72, 2}, {76, 2}, {74, 2}, {79, 2}, {71, 4}};
// Over the breakdown round.
const Note kBridge[] = {{77, 2}, {76, 1}, {74, 1}, {69, 4}, {72, 2}, {71, 1}, {69, 1}, {76, 4},
                        {81, 2}, {79, 1}, {77, 1}, {72, 4}, {71, 2}, {68, 2}, {76, 4}};
// Over the cadence, down to the tonic.
const Note kClosing[] = {{77, 4}, {74, 4}, {72, 4}, {69, 4}, {74, 4}, {71, 4}, {68, 4}, {71, 2}, {74, 2}};

template <size_t N>
void play_melody(StereoBuffer& out, const Note (&notes)[N], int first_bar, double gain) {
  double t = first_bar * kBar;
  for (const Note& n : notes) {
    add_lead_note(out, t, n.beats * kBeat * 0.92, n.pitch, gain);
    t += n.beats * kBeat;
  }
}

void play_pad(StereoBuffer& out) {
  for (int bar = 0; bar < kFinalBar; bar += 2) {
    const Chord& c = chord_of(bar);
    for (int note : c.notes) add_pad_note(out, bar * kBar, 2 * kBar, note, 0.06);
  }
  for (int note : kAm.notes) add_pad_note(out, kFinalBar * kBar, 7.0, note, 0.07);
  add_pad_note(out, kFinalBar * kBar, 7.0, 69, 0.05);
}

void play_bass(StereoBuffer& out) {
  const int octave_pattern[8] = {0, 0, 12, 0, 0, 12, 7, 0};
  for (int bar = 8; bar < kFinalBar; ++bar) {
    const int root = chord_of(bar).bass;
    const double t0 = bar * kBar;
    if (bar < 24 || in(bar, 64, 71)) {
      // Building and breakdown: plain quarter-note roots.
      for (int q = 0; q < 4; ++q) add_bass_note(out, t0 + q * kBeat, 0.4, root, 0.3);
    } else if (in(bar, 56, 63)) {
      add_bass_note(out, t0, 1.8, root, 0.25);  // the breakdown opens on long notes
    } else {
      for (int e = 0; e < 8; ++e) add_bass_note(out, t0 + e * kBeat / 2, 0.2, root + octave_pattern[e], 0.3);
    }
  }
  add_bass_note(out, kFinalBar * kBar, 7.0, kAm.bass, 0.35);
}

void play_bells(StereoBuffer& out) {
  const int pattern[16] = {0, 1, 2, 3, 4, 3, 2, 1, 0, 2, 1, 3, 2, 4, 3, 1};
  for (int bar = 12; bar < kFinalBar; ++bar) {
    if (in(bar, 56, 71)) continue;  // the breakdown leaves the bells out
    const Chord& c = chord_of(bar);
    const int tones[5] = {c.notes[0] + 12, c.notes[1] + 12, c.notes[2] + 12, c.notes[0] + 24, c.notes[1] + 24};
    const bool sparse = bar < 24 || bar >= 120;  // eighths while building and closing
    const double level = bar < 24 ? 0.05 + 0.004 * (bar - 12) : 0.1;
    for (int s = 0; s < 16; ++s) {
      if (sparse && s % 2) continue;
      const double accent = s % 4 == 0 ? 1.0 : 0.7;
      add_bell_note(out, bar * kBar + s * kBeat / 4, tones[pattern[s]], level * accent, s % 2 ? 0.5 : -0.5);
    }
  }
  // A last rising arpeggio over the closing chord.
  for (int k = 0; k < 4; ++k) {
    const int note = kAm.notes[k % 3] + 12 * (1 + k / 3);
    add_bell_note(out, kFinalBar * kBar + k * kBeat / 2, note, 0.09, -0.4 + 0.25 * k);
  }
}

void play_drums(StereoBuffer& out) {
  uint32_t hit = 1;
  for (int bar = 16; bar < 120; ++bar) {
    if (in(bar, 56, 63)) continue;
    const double t0 = bar * kBar;
    const bool groove = in(bar, 24, 55) || in(bar, 72, 119);
    for (int e = 0; e < 8; ++e) add_hat(out, t0 + e * kBeat / 2, e % 2 ? 0.14 : 0.08, hit++);
    if (!groove) continue;
    add_kick(out, t0, 0.6);
    add_kick(out, t0 + 2 * kBeat, 0.6);
    if (bar % 4 == 3) add_kick(out, t0 + 3.5 * kBeat, 0.45);
    if (bar >= 32) {  // the snare joins eight bars after the kick
      add_snare(out, t0 + kBeat, 0.3, hit++);
      add_snare(out, t0 + 3 * kBeat, 0.3, hit++);
    }
  }
  add_kick(out, kFinalBar * kBar, 0.5);  // the landing
}

void play_lead(StereoBuffer& out) {
  play_melody(out, kTheme, 40, 0.12);
  play_melody(out, kAnswer, 48, 0.12);
  play_melody(out, kBridge, 56, 0.13);
  play_melody(out, kBridge, 64, 0.13);
  play_melody(out, kTheme, 88, 0.14);
  play_melody(out, kAnswer, 96, 0.14);
  play_melody(out, kTheme, 104, 0.14);
  play_melody(out, kAnswer, 112, 0.14);
  play_melody(out, kClosing, 120, 0.13);
  add_lead_note(out, kFinalBar * kBar, 7.0, 69, 0.14);
}

void apply_master_fades(StereoBuffer& b) {
  for (size_t i = 0; i < b.left.size(); ++i) {
    const double g = master_gain(double(i) / kSampleRate);
    b.left[i] = float(b.left[i] * g);
    b.right[i] = float(b.right[i] * g);
  }
}

}  // namespace

double master_gain(double t) {
  if (t < 0.0) return 0.0;
  if (t < 10.0) return (t / 10.0) * (t / 10.0);
  if (t > 258.0) return std::max(0.0, 1.0 - (t - 258.0) / 8.0);
  return 1.0;
}

StereoBuffer render_song() {
  StereoBuffer mix = make_buffer(kSongSeconds);
  StereoBuffer send = make_buffer(kSongSeconds);  // bells and melody, for the echo
  play_pad(mix);
  play_bass(mix);
  play_drums(mix);
  play_bells(send);
  play_lead(send);
  for (size_t i = 0; i < mix.left.size(); ++i) {
    mix.left[i] += send.left[i];
    mix.right[i] += send.right[i];
  }
  add_echo(mix, send, 3 * kBeat / 4, 0.38);
  apply_master_fades(mix);
  normalize(mix, 0.89);
  return mix;
}

}  // namespace datagen
