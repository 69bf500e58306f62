#pragma once
// Minimal BMP encoder: file header, 40-byte bitmap header, optional colour
// table, rows bottom first, each padded to a multiple of 4 bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace datagen {

struct Rgb {
  uint8_t r, g, b;
};

// `pixels` holds width * height colours, top row first.
std::vector<uint8_t> bmp_encode_rgb24(int width, int height, const std::vector<Rgb>& pixels);

// `indices` holds width * height palette indices, top row first; bits is 4 or 8
// and the palette has at most 2^bits entries (its size is written as colours used).
std::vector<uint8_t> bmp_encode_indexed(int width, int height, int bits, const std::vector<Rgb>& palette,
                                        const std::vector<uint8_t>& indices);

}  // namespace datagen
