#pragma once
// The demo's music: 268 seconds at 120 beats a minute in A minor. A pad fades
// in alone, bass, bells and drums join, a quiet breakdown turns to D minor and
// E, the full band returns with the melody, and a cadence lands on A minor at
// 256 s, faded out by 265 s.
#include "tools/datagen/synth.h"

namespace datagen {

constexpr double kSongSeconds = 268.0;

// The whole piece, stereo, kSongSeconds long, peak 0.89.
StereoBuffer render_song();

// The master level at time t in seconds: a quadratic rise over the first ten
// seconds, full from 10 s to 258 s, a linear fall to silence at 266 s.
double master_gain(double t);

}  // namespace datagen
