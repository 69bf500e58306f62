// GLU's mipmap arithmetic for unsigned bytes, step for step: the scaling
// works in float over the boxes each output texel covers (their edges kept
// as a whole part and a fraction), so the levels come out byte for byte as
// GLU makes them.
#include "fixedgl/mipmap_levels.h"

#include <math.h>
#include <string.h>

int nearest_power_of_two(int value) {
    if (value <= 0) return -1;
    unsigned v = (unsigned)value;
    int power = 1;
    // Halve until 1 or 3 is left; a 3 rounds up (to 4 times the power so far).
    for (;;) {
        if (v == 1) return power;
        if (v == 3) return power * 4;
        v >>= 1;
        power *= 2;
    }
}

void mipmap_base_size(int width, int height, int max_size, int& base_width, int& base_height) {
    base_width = nearest_power_of_two(width);
    base_height = nearest_power_of_two(height);
    while ((base_width > max_size || base_height > max_size) && (base_width > 1 || base_height > 1)) {
        if (base_width > 1) base_width /= 2;
        if (base_height > 1) base_height /= 2;
    }
}

namespace {

// Reads of the source. GLU reads the texel just right of a box with weight
// zero or next to zero, which can be the first texel of the next row; past
// the picture's end it counts as 0.
struct Source {
    const unsigned char* bytes;
    size_t row_bytes;
    int components;
    size_t size;
    float at(int x, int y, int k) const {
        size_t i = (size_t)y * row_bytes + (size_t)x * components + k;
        return i < size ? (float)bytes[i] : 0.0f;
    }
};

}  // namespace

void scale_box(int components, int width, int height, const unsigned char* in, size_t row_bytes, int out_width,
               int out_height, unsigned char* out) {
    Source src{in, row_bytes, components, row_bytes * (size_t)(height - 1) + (size_t)width * components};
    if (width == out_width * 2 && height == out_height * 2) {
        MipmapLevel a, b;
        a.width = width;
        a.height = height;
        a.bytes.resize((size_t)width * height * components);
        for (int y = 0; y < height; y++) memcpy(&a.bytes[(size_t)y * width * components], in + y * row_bytes, (size_t)width * components);
        halve_level(components, a, b);
        memcpy(out, b.bytes.data(), b.bytes.size());
        return;
    }
    float conv_y = (float)height / out_height;
    float conv_x = (float)width / out_width;
    int conv_y_int = (int)floor(conv_y);
    float conv_y_frac = conv_y - conv_y_int;
    int conv_x_int = (int)floor(conv_x);
    float conv_x_frac = conv_x - conv_x_int;
    float area = conv_x * conv_y;

    int low_y_int = 0, high_y_int = conv_y_int;
    float low_y_frac = 0, high_y_frac = conv_y_frac;
    for (int i = 0; i < out_height; i++) {
        if (high_y_int >= height) high_y_int = height - 1;  // GLU clamps rows, not columns
        int low_x_int = 0, high_x_int = conv_x_int;
        float low_x_frac = 0, high_x_frac = conv_x_frac;
        for (int j = 0; j < out_width; j++) {
            for (int k = 0; k < components; k++) {
                float total = 0;
                if (high_y_int > low_y_int && high_x_int > low_x_int) {
                    // First row of the box, with its partial end texels.
                    float y_part = 1 - low_y_frac;
                    total += src.at(low_x_int, low_y_int, k) * (y_part * (1 - low_x_frac));
                    for (int x = low_x_int + 1; x < high_x_int; x++) total += src.at(x, low_y_int, k) * y_part;
                    total += src.at(high_x_int, low_y_int, k) * (y_part * high_x_frac);
                    // Last row.
                    y_part = high_y_frac;
                    total += src.at(low_x_int, high_y_int, k) * (y_part * (1 - low_x_frac));
                    for (int x = low_x_int + 1; x < high_x_int; x++) total += src.at(x, high_y_int, k) * y_part;
                    total += src.at(high_x_int, high_y_int, k) * (y_part * high_x_frac);
                    // First and last columns of the rows between. GLU's column
                    // reads move one texel right with every such row.
                    for (int y = low_y_int + 1; y < high_y_int; y++) {
                        int drift = y - (low_y_int + 1);
                        total += src.at(low_x_int + drift, y, k) * (1 - low_x_frac) +
                                 src.at(high_x_int + drift, y, k) * high_x_frac;
                    }
                } else if (high_y_int > low_y_int) {  // within one column
                    float x_part = high_x_frac - low_x_frac;
                    total += src.at(low_x_int, low_y_int, k) * ((1 - low_y_frac) * x_part);
                    int y = low_y_int + 1;
                    for (; y < high_y_int; y++) total += src.at(low_x_int, y, k) * x_part;
                    total += src.at(low_x_int, y, k) * (x_part * high_y_frac);
                } else if (high_x_int > low_x_int) {  // within one row
                    float y_part = high_y_frac - low_y_frac;
                    total += src.at(low_x_int, low_y_int, k) * ((1 - low_x_frac) * y_part);
                    int x = low_x_int + 1;
                    for (; x < high_x_int; x++) total += src.at(x, low_y_int, k) * y_part;
                    total += src.at(x, low_y_int, k) * (y_part * high_x_frac);
                } else {  // within one texel
                    total += src.at(low_x_int, low_y_int, k) * ((high_y_frac - low_y_frac) * (high_x_frac - low_x_frac));
                }
                // Whole texels inside the box.
                for (int y = low_y_int + 1; y < high_y_int; y++)
                    for (int x = low_x_int + 1; x < high_x_int; x++) total += src.at(x, y, k);
                out[((size_t)i * out_width + j) * components + k] = (unsigned char)(int)(total / area);
            }
            low_x_int = high_x_int;
            low_x_frac = high_x_frac;
            high_x_int += conv_x_int;
            high_x_frac += conv_x_frac;
            if (high_x_frac > 1) {
                high_x_frac -= 1.0f;
                high_x_int++;
            }
        }
        low_y_int = high_y_int;
        low_y_frac = high_y_frac;
        high_y_int += conv_y_int;
        high_y_frac += conv_y_frac;
        if (high_y_frac > 1) {
            high_y_frac -= 1.0f;
            high_y_int++;
        }
    }
}

void halve_level(int components, const MipmapLevel& in, MipmapLevel& out) {
    int w = in.width, h = in.height, n = components;
    out.width = w > 1 ? w / 2 : 1;
    out.height = h > 1 ? h / 2 : 1;
    out.bytes.assign((size_t)out.width * out.height * n, 0);
    const unsigned char* s = in.bytes.data();
    unsigned char* d = out.bytes.data();
    size_t row = (size_t)w * n;
    if (w == 1 || h == 1) {
        // A single row or column: pairs, truncated.
        size_t step = h == 1 ? (size_t)n : row;
        int pairs = h == 1 ? w / 2 : h / 2;
        for (int p = 0; p < pairs; p++)
            for (int k = 0; k < n; k++) d[(size_t)p * n + k] = (unsigned char)((s[2 * p * step + k] + s[2 * p * step + step + k]) / 2);
        return;
    }
    for (int y = 0; y < out.height; y++)
        for (int x = 0; x < out.width; x++)
            for (int k = 0; k < n; k++) {
                const unsigned char* t = s + 2 * y * row + (size_t)2 * x * n + k;
                d[((size_t)y * out.width + x) * n + k] = (unsigned char)((t[0] + t[n] + t[row] + t[row + n] + 2) / 4);
            }
}

std::vector<MipmapLevel> build_mipmap_levels(const unsigned char* pixels, int width, int height, int components,
                                             size_t row_bytes, int max_size) {
    int w, h;
    mipmap_base_size(width, height, max_size, w, h);
    std::vector<MipmapLevel> levels(1);
    MipmapLevel& base = levels[0];
    base.width = w;
    base.height = h;
    base.bytes.resize((size_t)w * h * components);
    if (w == width && h == height) {
        for (int y = 0; y < h; y++)
            memcpy(&base.bytes[(size_t)y * w * components], pixels + y * row_bytes, (size_t)w * components);
    } else {
        scale_box(components, width, height, pixels, row_bytes, w, h, base.bytes.data());
    }
    while (levels.back().width > 1 || levels.back().height > 1) {
        MipmapLevel next;
        halve_level(components, levels.back(), next);
        levels.push_back(std::move(next));
    }
    return levels;
}
