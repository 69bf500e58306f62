#include "tools/datagen/bmp_write.h"
#include "tools/datagen/little_endian.h"

#include <cassert>
#include <cstddef>

namespace datagen {

namespace {

uint32_t row_bytes(int width, int bits) { return ((uint32_t(width) * uint32_t(bits) + 31) / 32) * 4; }

void put_headers(std::vector<uint8_t>& out, int width, int height, int bits, uint32_t colours) {
  const uint32_t image_size = row_bytes(width, bits) * uint32_t(height);
  const uint32_t data_offset = 14 + 40 + 4 * colours;
  out.push_back('B');
  out.push_back('M');
  put32(out, data_offset + image_size);  // file size
  put32(out, 0);                         // two reserved words
  put32(out, data_offset);
  put32(out, 40);
  put32(out, uint32_t(width));
  put32(out, uint32_t(height));  // positive: bottom row first
  put16(out, 1);                 // planes
  put16(out, uint32_t(bits));
  put32(out, 0);  // uncompressed
  put32(out, image_size);
  put32(out, 2835);  // 72 dpi in pixels per metre
  put32(out, 2835);
  put32(out, colours);
  put32(out, 0);  // all colours important
}

}  // namespace

std::vector<uint8_t> bmp_encode_rgb24(int width, int height, const std::vector<Rgb>& pixels) {
  assert(width > 0 && height > 0 && pixels.size() == size_t(width) * size_t(height));
  std::vector<uint8_t> out;
  put_headers(out, width, height, 24, 0);
  const uint32_t pad = row_bytes(width, 24) - uint32_t(width) * 3;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& p = pixels[size_t(y) * size_t(width) + size_t(x)];
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    out.insert(out.end(), pad, 0);
  }
  return out;
}

std::vector<uint8_t> bmp_encode_indexed(int width, int height, int bits, const std::vector<Rgb>& palette,
                                        const std::vector<uint8_t>& indices) {
  assert(bits == 4 || bits == 8);
  assert(!palette.empty() && palette.size() <= (size_t(1) << bits));
  assert(width > 0 && height > 0 && indices.size() == size_t(width) * size_t(height));
  std::vector<uint8_t> out;
  put_headers(out, width, height, bits, uint32_t(palette.size()));
  for (const Rgb& c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  const uint32_t stride = row_bytes(width, bits);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < width; ++x) {
      const uint8_t index = indices[size_t(y) * size_t(width) + size_t(x)];
      assert(index < palette.size());
      if (bits == 8) {
        row[size_t(x)] = index;
      } else {
        // Two pixels per byte, the left one in the high nibble.
        row[size_t(x) / 2] |= uint8_t((x % 2 == 0) ? index << 4 : index);
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace datagen
