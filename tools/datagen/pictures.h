#pragma once
// The demo's three pictures, drawn procedurally.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/datagen/bmp_write.h"

namespace datagen {

struct RgbPicture {
  int width, height;
  std::vector<Rgb> pixels;  // top row first
};

struct IndexedPicture {
  int width, height;
  int bits;  // 4 or 8
  std::vector<Rgb> palette;
  std::vector<uint8_t> indices;  // top row first
};

// The full-screen backdrop: warped marbled bands, indigo through teal to amber. 320 x 240.
RgbPicture make_backdrop();

// First overlay: a ring of beads, an inner ring, ticks and a bright core on
// black, left of centre; 64-colour palette from black through blue to white.
// 128 x 128, 8-bit.
IndexedPicture make_halo_overlay();

// Second overlay: a spine with a ladder of glowing bars of varied reach on
// black, 16-colour palette from black through red and amber to white. 64 x 104, 4-bit.
IndexedPicture make_ladder_overlay();

}  // namespace datagen
