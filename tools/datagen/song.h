#pragma once
// The demo's music: 268 seconds at 120 beats a minute in A minor. A pad fades
// in alone, bass, bells and drums join, a quiet breakdown turns to D minor and
// E, the full band returns with the melody, and a cadence lands on A minor at
// 256 s, faded out by 265 s.
#include "tools/datagen/synth.h"

namespace datagen {

constexpr double kSongSeconds = 268.0;

StereoBuffer render_song();

}  // namespace datagen
