#include "tools/capture/rgba_to_yuv420.h"

#include <stddef.h>

namespace {

// BT.709 luma weights, scaled to limited range (219 luma and 224 chroma
// steps over 255) in 16-bit fixed point.
constexpr double kKr = 0.2126, kKb = 0.0722, kKg = 1 - kKr - kKb;
constexpr int fixed(double x) { return (int)(x * 65536 + (x < 0 ? -0.5 : 0.5)); }
constexpr double kLuma = 219.0 / 255, kChroma = 224.0 / 255;
constexpr int kYr = fixed(kLuma * kKr), kYg = fixed(kLuma * kKg), kYb = fixed(kLuma * kKb);
constexpr int kUr = fixed(kChroma * -kKr / (2 * (1 - kKb))), kUg = fixed(kChroma * -kKg / (2 * (1 - kKb))),
              kUb = fixed(kChroma * 0.5);
constexpr int kVr = fixed(kChroma * 0.5), kVg = fixed(kChroma * -kKg / (2 * (1 - kKr))),
              kVb = fixed(kChroma * -kKb / (2 * (1 - kKr)));

// Every sum stays positive: the offsets outweigh the negative weights.
inline unsigned char luma(const unsigned char* p) {
    return (unsigned char)((kYr * p[0] + kYg * p[1] + kYb * p[2] + (16 << 16) + (1 << 15)) >> 16);
}

void luma_row(const unsigned char* rgba, int width, unsigned char* y) {
    for (int x = 0; x < width; x++) y[x] = luma(rgba + 4 * x);
}

// Chroma of a pair of rows, from sums of four pixels (hence two more bits).
void chroma_row(const unsigned char* a, const unsigned char* b, int width, unsigned char* u, unsigned char* v) {
    for (int x = 0; x < width / 2; x++) {
        const unsigned char *a0 = a + 8 * x, *b0 = b + 8 * x;
        int r = a0[0] + a0[4] + b0[0] + b0[4], g = a0[1] + a0[5] + b0[1] + b0[5], bl = a0[2] + a0[6] + b0[2] + b0[6];
        u[x] = (unsigned char)((kUr * r + kUg * g + kUb * bl + (128 << 18) + (1 << 17)) >> 18);
        v[x] = (unsigned char)((kVr * r + kVg * g + kVb * bl + (128 << 18) + (1 << 17)) >> 18);
    }
}

}  // namespace

void rgba_to_yuv420(const unsigned char* rgba, int width, int height, const Yuv420Planes& out) {
    const size_t row = (size_t)width * 4;
    for (int y = 0; y < height; y += 2) {
        const unsigned char* upper = rgba + (size_t)(height - 1 - y) * row;  // GL's rows come bottom first
        const unsigned char* lower = upper - row;
        luma_row(upper, width, out.y + (size_t)y * out.y_stride);
        luma_row(lower, width, out.y + (size_t)(y + 1) * out.y_stride);
        chroma_row(upper, lower, width, out.u + (size_t)(y / 2) * out.u_stride, out.v + (size_t)(y / 2) * out.v_stride);
    }
}
