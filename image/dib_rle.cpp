// Run-length encoded 8- and 4-bit BMP pixels to RGB rows. The stream is a
// sequence of byte pairs: (count > 0, colour) repeats a colour count times
// (for 4 bits the two nibbles alternate); (0, 0) ends a row, (0, 1) ends the
// picture, (0, 2, dx, dy) moves the position, (0, count >= 3) is followed by
// count literal indices padded to an even byte count. Pixels the stream never
// reaches stay black; pixels beyond the picture are dropped. A stream that
// ends before its end marker, or an index beyond the colour table, is refused.
#include <string.h>

#include "image/dib.h"

DibStatus dib_convert_rle(const DibSource* s, uint8_t* rgb) {
    uint8_t palette[256][3];
    dib_palette(s, palette);
    memset(rgb, 0, dib_rgb_size(s));

    const bool four = s->compression == kDibRle4;
    const uint32_t n = s->numColors;
    const uint64_t width = uint64_t(s->width), height = uint64_t(s->height);  // height > 0 for RLE
    const uint8_t* p = s->bits;
    const uint8_t* end = s->bits + s->bitsSize;
    uint64_t x = 0, y = 0;  // position, growing past the picture at most by what the stream says

    while (end - p >= 2) {
        uint32_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            uint32_t first = four ? value >> 4 : value;
            uint32_t second = four ? value & 15 : value;
            if (first >= n || (count > 1 && second >= n)) return kDibConversionError;
            if (y < height) {
                for (uint32_t i = 0; i < count && x + i < width; ++i)
                    memcpy(rgb + (y * width + x + i) * 3, palette[i % 2 ? second : first], 3);
            }
            x += count;
        } else if (value == 0) {  // end of row
            x = 0, ++y;
        } else if (value == 1) {  // end of picture
            return kDibOk;
        } else if (value == 2) {  // move right dx and up dy rows
            if (end - p < 2) return kDibConversionError;
            x += p[0], y += p[1];
            p += 2;
        } else {  // literal run of `value` indices, padded to an even byte count
            uint32_t bytes = four ? (value + 1) / 2 : value;
            bytes += bytes & 1;
            if (uint64_t(end - p) < bytes) return kDibConversionError;
            for (uint32_t i = 0; i < value; ++i, ++x) {
                uint32_t index = four ? (p[i / 2] >> (i % 2 ? 0 : 4)) & 15 : p[i];
                if (index >= n) return kDibConversionError;
                if (y < height && x < width) memcpy(rgb + (y * width + x) * 3, palette[index], 3);
            }
            p += bytes;
        }
    }
    return kDibConversionError;  // no end-of-picture marker
}
