#include "png_write.h"

#include <stdint.h>
#include <stdio.h>
#include <zlib.h>

#include <vector>

namespace {

void put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((unsigned char)(v >> shift));
}

void chunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
    put32(out, (uint32_t)data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32(out, (uint32_t)crc32(0, out.data() + start, (uInt)(out.size() - start)));
}

}  // namespace

bool write_png(const char* path, const unsigned char* pixels, int width, int height, int channels) {
    // Each row: filter byte 0 (none), then the pixels.
    const size_t row_bytes = (size_t)width * channels;
    std::vector<unsigned char> raw;
    raw.reserve((size_t)height * (row_bytes + 1));
    for (int y = 0; y < height; y++) {
        raw.push_back(0);
        const unsigned char* row = pixels + (size_t)y * row_bytes;
        raw.insert(raw.end(), row, row + row_bytes);
    }
    uLongf packed_size = compressBound((uLong)raw.size());
    std::vector<unsigned char> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), (uLong)raw.size(), 9) != Z_OK) return false;
    packed.resize(packed_size);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    put32(header, (uint32_t)width);
    put32(header, (uint32_t)height);
    const unsigned char colour_type = channels == 4 ? 6 : 2;  // RGBA or RGB
    header.insert(header.end(), {8, colour_type, 0, 0, 0});  // 8 bits, deflate, no filter choice, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", packed);
    chunk(png, "IEND", {});

    FILE* f = fopen(path, "wb");
    if (!f) return false;
    bool ok = fwrite(png.data(), 1, png.size(), f) == png.size();
    return fclose(f) == 0 && ok;
}
