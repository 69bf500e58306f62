// Uncompressed BMP pixels (1, 4, 8, 16, 24, 32 bits) to RGB rows, bottom row
// first. One pass per row; colour indices go through tables built once per
// picture, never through a call per pixel.
#include <string.h>

#include "image/dib.h"

namespace {

// One colour channel of 16- or 32-bit pixels: (pixel & mask) >> shift is an
// index of at most 8 bits into `expand`, which widens it to 8 bits.
struct Channel {
    uint32_t mask;
    int shift;
    uint8_t expand[256];
};

// Widens a `bits`-bit value to 8 bits by repeating its bits, so that the
// largest value becomes 255 (5-bit 31 -> 255, 5-bit 16 -> 132).
uint8_t widen(uint32_t value, int bits) {
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) {
        int at = 8 - filled - bits;
        out |= at >= 0 ? value << at : value >> -at;
    }
    return uint8_t(out);
}

void make_channel(uint32_t mask, Channel* channel) {
    memset(channel, 0, sizeof *channel);
    channel->mask = mask;
    if (mask == 0) return;  // channel absent: always 0
    int low = 0, high = 31;
    while (!(mask >> low & 1)) ++low;
    while (!(mask >> high & 1)) --high;
    int bits = high - low + 1;
    if (bits > 8) {  // keep the top 8 bits of wide fields
        low += bits - 8;
        bits = 8;
    }
    channel->shift = low;
    for (uint32_t v = 0; v < (1u << bits); ++v) channel->expand[v] = widen(v, bits);
}

// Every index of the picture's pixels lies inside its colour table. Only
// asked when the table is shorter than the depth can address.
bool indices_in_table(const DibSource* s, size_t stride, size_t rows) {
    uint32_t n = s->numColors;
    for (size_t r = 0; r < rows; ++r) {
        const uint8_t* src = s->bits + r * stride;
        for (int32_t x = 0; x < s->width; ++x) {
            uint32_t index;
            if (s->bitCount == 8) index = src[x];
            else if (s->bitCount == 4) index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 15;
            else index = (src[x / 8] >> (7 - x % 8)) & 1;
            if (index >= n) return false;
        }
    }
    return true;
}

void row_1(const uint8_t* src, uint8_t* dst, int32_t width, const uint8_t (*eight)[24]) {
    int32_t full = width / 8;
    for (int32_t i = 0; i < full; ++i, dst += 24) memcpy(dst, eight[src[i]], 24);
    if (width % 8) memcpy(dst, eight[src[full]], size_t(width % 8) * 3);
}

void row_4(const uint8_t* src, uint8_t* dst, int32_t width, const uint8_t (*two)[6]) {
    int32_t full = width / 2;
    for (int32_t i = 0; i < full; ++i, dst += 6) memcpy(dst, two[src[i]], 6);
    if (width % 2) memcpy(dst, two[src[full]], 3);
}

// Each colour is stored as 4 bytes whose fourth byte is overwritten by the
// next pixel; the row's last pixel is stored as 3 bytes.
void row_8(const uint8_t* src, uint8_t* dst, int32_t width, const uint8_t (*quad)[4]) {
    int32_t x = 0;
    for (; x + 1 < width; ++x, dst += 3) memcpy(dst, quad[src[x]], 4);
    memcpy(dst, quad[src[x]], 3);
}

void row_24(const uint8_t* src, uint8_t* dst, int32_t width) {
    for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
}

void row_32_plain(const uint8_t* src, uint8_t* dst, int32_t width) {
    for (int32_t x = 0; x < width; ++x, src += 4, dst += 3) dst[0] = src[2], dst[1] = src[1], dst[2] = src[0];
}

void row_fields(const uint8_t* src, uint8_t* dst, int32_t width, int bytes, const Channel* rgb) {
    for (int32_t x = 0; x < width; ++x, src += bytes, dst += 3) {
        uint32_t p = uint32_t(src[0]) | uint32_t(src[1]) << 8;
        if (bytes == 4) p |= uint32_t(src[2]) << 16 | uint32_t(src[3]) << 24;
        for (int c = 0; c < 3; ++c) dst[c] = rgb[c].expand[(p & rgb[c].mask) >> rgb[c].shift];
    }
}

}  // namespace

void dib_palette(const DibSource* s, uint8_t palette[256][3]) {
    memset(palette, 0, 256 * 3);
    if (s->bitCount > 8) return;
    uint32_t reachable = 1u << s->bitCount;
    if (s->numColors < reachable) reachable = s->numColors;
    for (uint32_t i = 0; i < reachable; ++i) {
        const uint8_t* entry = s->colors + i * s->colorEntrySize;  // blue, green, red[, reserved]
        palette[i][0] = entry[2], palette[i][1] = entry[1], palette[i][2] = entry[0];
    }
}

DibStatus dib_convert(const DibSource* s, uint8_t* rgb) {
    if (s->compression == kDibRle8 || s->compression == kDibRle4) return dib_convert_rle(s, rgb);

    size_t rows = size_t(s->height < 0 ? -int64_t(s->height) : s->height);
    size_t stride = (size_t(s->width) * s->bitCount + 31) / 32 * 4;
    size_t rgbStride = size_t(s->width) * 3;
    if (s->bitCount <= 8 && s->numColors < (1u << s->bitCount) && !indices_in_table(s, stride, rows))
        return kDibConversionError;

    uint8_t palette[256][3];
    uint8_t eight[256][24];                       // 1-bit: a byte's eight pixels
    uint8_t two[256][6];                          // 4-bit: a byte's two pixels
    uint8_t quad[256][4];                         // 8-bit: one pixel and a spare byte
    Channel channels[3];
    if (s->bitCount <= 8) dib_palette(s, palette);
    if (s->bitCount == 8) {
        for (int i = 0; i < 256; ++i) memcpy(quad[i], palette[i], 3), quad[i][3] = 0;
    } else if (s->bitCount == 1) {
        for (int b = 0; b < 256; ++b)
            for (int i = 0; i < 8; ++i) memcpy(eight[b] + 3 * i, palette[(b >> (7 - i)) & 1], 3);
    } else if (s->bitCount == 4) {
        for (int b = 0; b < 256; ++b) memcpy(two[b], palette[b >> 4], 3), memcpy(two[b] + 3, palette[b & 15], 3);
    }
    bool plain32 = s->bitCount == 32 && s->masks[0] == 0xff0000 && s->masks[1] == 0xff00 && s->masks[2] == 0xff;
    if (s->bitCount >= 16 && !plain32)
        for (int c = 0; c < 3; ++c) make_channel(s->masks[c], &channels[c]);

    for (size_t r = 0; r < rows; ++r) {
        const uint8_t* src = s->bits + r * stride;
        // Bottom-up files keep their row order; top-down ones are turned over.
        uint8_t* dst = rgb + (s->height > 0 ? r : rows - 1 - r) * rgbStride;
        switch (s->bitCount) {
            case 1: row_1(src, dst, s->width, eight); break;
            case 4: row_4(src, dst, s->width, two); break;
            case 8: row_8(src, dst, s->width, quad); break;
            case 24: row_24(src, dst, s->width); break;
            case 16: row_fields(src, dst, s->width, 2, channels); break;
            default:
                if (plain32) row_32_plain(src, dst, s->width);
                else row_fields(src, dst, s->width, 4, channels);
        }
    }
    return kDibOk;
}
