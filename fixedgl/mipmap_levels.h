// The mipmap chain gluBuild2DMipmaps makes from a picture of unsigned bytes,
// computed on the CPU with GLU's arithmetic: the picture scaled with a box
// filter to the nearest power of two on each side (within the size limit),
// then halved level by level.
#ifndef QO_FIXEDGL_MIPMAP_LEVELS_H
#define QO_FIXEDGL_MIPMAP_LEVELS_H

#include <stddef.h>

#include <vector>

struct MipmapLevel {
    int width = 0, height = 0;
    std::vector<unsigned char> bytes;  // rows packed, `components` bytes a texel
};

// GLU's nearest power of two: 3 goes to 4, 5 and 6 to 4 and 8, 320 to 256.
int nearest_power_of_two(int value);

// The size of level 0 for a picture of width x height: the nearest powers of
// two, both halved together until neither exceeds max_size.
void mipmap_base_size(int width, int height, int max_size, int& base_width, int& base_height);

// Box-filter scaling of packed-or-padded rows (`row_bytes` apart) to a new size.
void scale_box(int components, int width, int height, const unsigned char* in, size_t row_bytes, int out_width,
               int out_height, unsigned char* out);

// One level down: each texel the rounded mean of a 2x2 block, or of two
// texels (truncated) where a side is already 1.
void halve_level(int components, const MipmapLevel& in, MipmapLevel& out);

// Every level, 0 first, down to 1x1.
std::vector<MipmapLevel> build_mipmap_levels(const unsigned char* pixels, int width, int height, int components,
                                             size_t row_bytes, int max_size);

#endif
