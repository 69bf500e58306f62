// Decoding speed of 4096 x 4096 BMPs (24-bit, and 8-bit with a full colour
// table) from files, our decoder beside stb_image, in one run. Prints MB/s
// of file bytes for each and our speed as a ratio of stb_image's.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/rgb_image.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

const int kSide = 4096;
const int kRounds = 7;

void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xffff);
    put16(b, v >> 16);
}

// A BM file of kSide x kSide pixels at `bits` (8 or 24) with pseudo-random pixels.
std::vector<uint8_t> make_bmp(int bits) {
    uint32_t colors = bits == 8 ? 256 : 0;
    uint32_t stride = (kSide * bits / 8 + 3) & ~3u;
    std::vector<uint8_t> b = {'B', 'M'};
    uint32_t offset = 14 + 40 + 4 * colors;
    put32(b, offset + stride * kSide);
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, kSide);
    put32(b, kSide);
    put16(b, 1);
    put16(b, uint16_t(bits));
    for (int i = 0; i < 6; ++i) put32(b, 0);
    for (uint32_t i = 0; i < colors; ++i) {
        b.push_back(uint8_t(i * 7)), b.push_back(uint8_t(255 - i)), b.push_back(uint8_t(i * 13)), b.push_back(0);
    }
    uint32_t state = 2463534242u;
    size_t start = b.size();
    b.resize(start + size_t(stride) * kSide);
    for (size_t i = start; i < b.size(); ++i) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        b[i] = uint8_t(state >> 24);
    }
    return b;
}

double now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Our rows are bottom first, stb_image's top first.
bool same_picture(const RgbImage* ours, const unsigned char* stb) {
    size_t row = size_t(ours->width) * 3;
    for (int r = 0; r < ours->height; ++r)
        if (memcmp(ours->pixels + r * row, stb + size_t(ours->height - 1 - r) * row, row) != 0) return false;
    return true;
}

void run(const char* label, const std::string& path, size_t fileBytes) {
    std::vector<double> ours, theirs;
    bool agree = true;
    for (int round = 0; round < kRounds; ++round) {
        double t0 = now();
        RgbImage* image = auxDIBImageLoadA(path.c_str());
        double t1 = now();
        int w = 0, h = 0, channels = 0;
        unsigned char* stb = stbi_load(path.c_str(), &w, &h, &channels, 3);
        double t2 = now();
        if (!image || !stb || w != image->width || h != image->height) {
            fprintf(stderr, "%s: decoding failed\n", label);
            exit(1);
        }
        if (round == 0) agree = same_picture(image, stb);
        free(image->pixels);
        free(image);
        stbi_image_free(stb);
        ours.push_back(t1 - t0);
        theirs.push_back(t2 - t1);
    }
    double mb = double(fileBytes) / 1e6;
    double a = mb / median(ours), b = mb / median(theirs);
    printf("%-22s %8.1f MB/s   stb_image %8.1f MB/s   ratio %5.2f   (best %.1f vs %.1f MB/s)  outputs %s\n", label, a,
           b, a / b, mb / *std::min_element(ours.begin(), ours.end()),
           mb / *std::min_element(theirs.begin(), theirs.end()), agree ? "agree" : "DIFFER");
}

}  // namespace

int main() {
    char dir[] = "/tmp/qo_bench_bmp_XXXXXX";
    if (!mkdtemp(dir)) return 1;
    printf("decode_bmp: %dx%d BMP files, median of %d rounds, MB/s of file bytes\n", kSide, kSide, kRounds);
    for (int bits : {24, 8}) {
        std::vector<uint8_t> bytes = make_bmp(bits);
        std::string path = std::string(dir) + (bits == 24 ? "/rgb24.bmp" : "/pal8.bmp");
        FILE* f = fopen(path.c_str(), "wb");
        if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return 1;
        fclose(f);
        run(bits == 24 ? "24-bit 4096x4096" : "8-bit 4096x4096", path, bytes.size());
        remove(path.c_str());
    }
    rmdir(dir);
    return 0;
}
