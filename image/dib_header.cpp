// Locating and normalising a BMP's bitmap header, colour table, masks and
// pixel data inside the file's bytes. Every offset is checked against the
// byte count before anything is read.
#include <stdint.h>

#include "image/dib.h"

namespace {

// A bounded view of the file's bytes.
struct Bytes {
    const uint8_t* data;
    size_t size;
};

// True when `length` bytes at `offset` lie inside the view (no overflow).
bool has(Bytes bytes, uint64_t offset, uint64_t length) {
    return offset <= bytes.size && length <= bytes.size - offset;
}

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

uint16_t colors_for_depth(uint16_t bitCount) {
    switch (bitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

bool depth_fits_compression(uint16_t bitCount, uint32_t compression) {
    switch (compression) {
        case kDibRgb:
            return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
                   bitCount == 32;
        case kDibRle8: return bitCount == 8;
        case kDibRle4: return bitCount == 4;
        case kDibBitfields: return bitCount == 16 || bitCount == 32;
        default: return false;
    }
}

const uint32_t kHeaderShort = 12;
const uint32_t kHeaderFull = 40;
const uint32_t kFileHeader = 14;
const uint64_t kMaxRgbBytes = INT32_MAX;  // outputs are sized for GL's signed sizes

}  // namespace

uint16_t DibNumColors(const void* header) {
    const uint8_t* h = static_cast<const uint8_t*>(header);
    if (le32(h) == kHeaderShort) return colors_for_depth(le16(h + 10));
    uint32_t used = le32(h + 32);
    if (used != 0) return uint16_t(used & 0xffff);
    return colors_for_depth(le16(h + 14));
}

DibStatus dib_parse(const uint8_t* data, size_t size, DibSource* source) {
    Bytes file = {data, size};
    *source = DibSource();

    // "BM" starts a file header holding the pixel-data offset; otherwise the
    // bytes are a packed bitmap whose header starts at 0.
    bool fileHeader = has(file, 0, 2) && data[0] == 'B' && data[1] == 'M';
    uint64_t header = 0;
    uint64_t bitsOffset = 0;
    if (fileHeader) {
        if (!has(file, 0, kFileHeader)) return kDibConversionError;
        bitsOffset = le32(data + 10);
        header = kFileHeader;
    }
    if (!has(file, header, 4)) return kDibConversionError;
    const uint8_t* h = data + header;
    uint32_t headerSize = le32(h);
    if (headerSize != kHeaderShort && headerSize != kHeaderFull) return kDibUnknownFormat;
    if (!has(file, header, headerSize)) return kDibConversionError;

    int64_t width, height;
    uint16_t bitCount;
    uint32_t compression = kDibRgb;
    if (headerSize == kHeaderShort) {
        width = le16(h + 4);  // 16 bits, without sign
        height = le16(h + 6);
        bitCount = le16(h + 10);
        source->colorEntrySize = 3;
    } else {
        width = int32_t(le32(h + 4));
        height = int32_t(le32(h + 8));
        bitCount = le16(h + 14);
        compression = le32(h + 16);
        source->colorEntrySize = 4;
    }
    // Zero or negative widths, empty pictures and a height whose magnitude
    // does not fit 32 bits have no picture to give.
    if (width <= 0 || height == 0 || height == INT32_MIN) return kDibConversionError;
    if (!depth_fits_compression(bitCount, compression)) return kDibConversionError;
    bool rle = compression == kDibRle8 || compression == kDibRle4;
    if (rle && height < 0) return kDibConversionError;  // run-length bitmaps are always bottom-up
    uint64_t rows = uint64_t(height < 0 ? -height : height);
    if (uint64_t(width) * rows > kMaxRgbBytes / 3) return kDibConversionError;

    source->width = int32_t(width);
    source->height = int32_t(height);
    source->bitCount = bitCount;
    source->compression = compression;
    source->numColors = DibNumColors(h);

    // After a full header: three masks for bit fields, then the colour table.
    uint64_t cursor = header + headerSize;
    if (compression == kDibBitfields) {
        if (!has(file, cursor, 12)) return kDibConversionError;
        for (int i = 0; i < 3; ++i) source->masks[i] = le32(data + cursor + 4 * i);
        cursor += 12;
    } else if (bitCount == 16) {
        source->masks[0] = 0x7c00, source->masks[1] = 0x03e0, source->masks[2] = 0x001f;  // 5-5-5
    } else if (bitCount == 32) {
        source->masks[0] = 0xff0000, source->masks[1] = 0x00ff00, source->masks[2] = 0x0000ff;
    }

    // Only the entries that an index of this depth can reach must be present.
    uint64_t reachable = bitCount <= 8 ? colors_for_depth(bitCount) : 0;
    if (source->numColors < reachable) reachable = source->numColors;
    if (!has(file, cursor, reachable * source->colorEntrySize)) return kDibConversionError;
    source->colors = data + cursor;
    if (!fileHeader) bitsOffset = cursor + uint64_t(source->numColors) * source->colorEntrySize;
    if (!has(file, bitsOffset, 0)) return kDibConversionError;

    source->bits = data + bitsOffset;
    if (rle) {
        source->bitsSize = size - bitsOffset;  // the stream's own end marker bounds it
    } else {
        uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;  // rows padded to 4 bytes
        if (!has(file, bitsOffset, stride * rows)) return kDibConversionError;
        source->bitsSize = size_t(stride * rows);
    }
    return kDibOk;
}

size_t dib_rgb_size(const DibSource* source) {
    int64_t rows = source->height < 0 ? -int64_t(source->height) : source->height;
    return size_t(source->width) * size_t(rows) * 3;
}
