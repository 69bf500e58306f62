// Building BMP files byte by byte for the image tests, and decoding them from
// an exactly sized heap copy so that any read past the end is caught.
#ifndef QO_TESTS_IMAGE_BMP_BYTES_H
#define QO_TESTS_IMAGE_BMP_BYTES_H

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "image/dib.h"

typedef std::vector<uint8_t> Bytes;

inline void put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xffff);
    put16(b, v >> 16);
}
inline void append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
inline void append(Bytes& b, std::initializer_list<uint8_t> more) { b.insert(b.end(), more.begin(), more.end()); }

// The 40-byte header.
inline Bytes full_header(int32_t width, int32_t height, uint16_t bits, uint32_t compression = 0,
                         uint32_t colorsUsed = 0) {
    Bytes b;
    put32(b, 40);
    put32(b, uint32_t(width));
    put32(b, uint32_t(height));
    put16(b, 1);
    put16(b, bits);
    put32(b, compression);
    put32(b, 0);     // image size
    put32(b, 2835);  // resolutions
    put32(b, 2835);
    put32(b, colorsUsed);
    put32(b, 0);
    return b;
}

// The 12-byte header.
inline Bytes short_header(uint16_t width, uint16_t height, uint16_t bits) {
    Bytes b;
    put32(b, 12);
    put16(b, width);
    put16(b, height);
    put16(b, 1);
    put16(b, bits);
    return b;
}

// "BM", file size, reserved words, pixel-data offset; then `headers` (bitmap
// header, masks, colour table) and the pixel data right after them.
inline Bytes bm_file(const Bytes& headers, const Bytes& pixels) {
    Bytes b = {'B', 'M'};
    put32(b, uint32_t(14 + headers.size() + pixels.size()));
    put32(b, 0);
    put32(b, uint32_t(14 + headers.size()));
    append(b, headers);
    append(b, pixels);
    return b;
}

inline Bytes packed_file(const Bytes& headers, const Bytes& pixels) {
    Bytes b = headers;
    append(b, pixels);
    return b;
}

// Pads a row with `fill` bytes to a multiple of 4.
inline Bytes padded(Bytes row, uint8_t fill = 0xee) {
    while (row.size() % 4) row.push_back(fill);
    return row;
}

// Decodes `file` from a heap block of exactly its size.
inline RgbImage* decode_exact(const Bytes& file) {
    uint8_t* copy = static_cast<uint8_t*>(malloc(file.size() ? file.size() : 1));
    if (!file.empty()) memcpy(copy, file.data(), file.size());
    RgbImage* image = dib_decode(copy, file.size());
    free(copy);
    return image;
}

inline Bytes pixels_of(const RgbImage* image) {
    return Bytes(image->pixels, image->pixels + size_t(image->width) * size_t(image->height) * 3);
}

inline void free_image(RgbImage* image) {
    if (!image) return;
    free(image->pixels);
    free(image);
}

#endif
