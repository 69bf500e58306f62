// Internals of the BMP decoder: the bitmap located and described inside the
// file's bytes, and the conversions of its pixels to RGB.
#ifndef QO_IMAGE_DIB_H
#define QO_IMAGE_DIB_H

#include <stddef.h>
#include <stdint.h>

#include "image/rgb_image.h"

enum DibCompression : uint32_t {
    kDibRgb = 0,        // uncompressed
    kDibRle8 = 1,       // run-length encoded 8-bit indices
    kDibRle4 = 2,       // run-length encoded 4-bit indices
    kDibBitfields = 3,  // 16- or 32-bit pixels with red, green, blue masks
};

enum DibStatus {
    kDibOk,
    kDibUnknownFormat,    // a bitmap header size other than 12 or 40
    kDibConversionError,  // anything else the bytes do not support
    kDibOutOfMemory,
};

// The normalised description of one bitmap. Every pointer points into the
// file's bytes, and every range it names has been checked to lie inside them.
struct DibSource {
    int32_t width;         // > 0
    int32_t height;        // != 0 and != INT32_MIN; negative: rows stored top to bottom
    uint16_t bitCount;     // 1, 4, 8, 16, 24 or 32, matching `compression`
    uint32_t compression;  // a DibCompression
    uint32_t numColors;    // n, as DibNumColors gives it
    const uint8_t* colors; // the reachable colour entries (min(n, 2^bitCount) for 8 bits or less)
    uint32_t colorEntrySize;  // 3 (12-byte header) or 4
    uint32_t masks[3];     // red, green, blue masks for 16- and 32-bit pixels
    const uint8_t* bits;   // pixel data
    size_t bitsSize;       // bytes at `bits`: all rows when uncompressed, the rest of the file for RLE
};

// Locates and checks the bitmap in `size` bytes at `bytes`.
DibStatus dib_parse(const uint8_t* bytes, size_t size, DibSource* source);

// Bytes of the RGB output: width x |height| x 3 (dib_parse keeps it below 2^31).
size_t dib_rgb_size(const DibSource* source);

// Turns the pixels into RGB rows, bottom row first, into `rgb` of
// dib_rgb_size bytes. kDibConversionError when a colour index lies beyond
// the colour table or a run-length stream is malformed.
DibStatus dib_convert(const DibSource* source, uint8_t* rgb);

// The colour table as RGB triples; entries beyond the table are black.
void dib_palette(const DibSource* source, uint8_t palette[256][3]);

// Run-length encoded pixels (kDibRle8, kDibRle4); pixels the stream skips stay black.
DibStatus dib_convert_rle(const DibSource* source, uint8_t* rgb);

// Decodes a whole BMP held in memory, reporting any error; null after one.
RgbImage* dib_decode(const uint8_t* bytes, size_t size);

// Shows `text` in an "Error" box owned by the focus window, if tkPopupEnable.
void dib_report(const char* text);

#endif
