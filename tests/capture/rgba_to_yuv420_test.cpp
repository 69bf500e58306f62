// The colour conversion of the pictures read back, against BT.709's own
// figures and against the exact formulas on random pictures.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>

#include <vector>

#include "tools/capture/rgba_to_yuv420.h"

namespace {

struct Picture {
    int width, height;
    std::vector<unsigned char> rgba, y, u, v;
};

Picture convert(int width, int height, const std::vector<unsigned char>& rgba) {
    // Strides wider than the rows, as FFmpeg's frames have.
    Picture p{width, height, rgba, std::vector<unsigned char>((size_t)(width + 16) * height),
              std::vector<unsigned char>((size_t)(width / 2 + 8) * height / 2),
              std::vector<unsigned char>((size_t)(width / 2 + 8) * height / 2)};
    rgba_to_yuv420(p.rgba.data(), width, height,
                   Yuv420Planes{p.y.data(), p.u.data(), p.v.data(), width + 16, width / 2 + 8, width / 2 + 8});
    return p;
}

TEST(RgbaToYuv420, PrimariesAndGreysGetBt709sLimitedRangeValues) {
    // Colour-bar values of BT.709 (8-bit, limited range).
    const struct {
        unsigned char r, g, b, y, u, v;
    } cases[] = {{0, 0, 0, 16, 128, 128},     {255, 255, 255, 235, 128, 128}, {255, 0, 0, 63, 102, 240},
                 {0, 255, 0, 173, 42, 26},    {0, 0, 255, 32, 240, 118},      {255, 255, 0, 219, 16, 138},
                 {128, 128, 128, 126, 128, 128}};
    for (const auto& c : cases) {
        std::vector<unsigned char> rgba;
        for (int i = 0; i < 4; i++) rgba.insert(rgba.end(), {c.r, c.g, c.b, 255});
        Picture p = convert(2, 2, rgba);
        EXPECT_EQ(p.y[0], c.y) << (int)c.r << " " << (int)c.g << " " << (int)c.b;
        EXPECT_EQ(p.y[1], c.y);
        EXPECT_EQ(p.y[18], c.y);  // second row, after its stride
        EXPECT_EQ(p.u[0], c.u) << (int)c.r << " " << (int)c.g << " " << (int)c.b;
        EXPECT_EQ(p.v[0], c.v) << (int)c.r << " " << (int)c.g << " " << (int)c.b;
    }
}

TEST(RgbaToYuv420, RandomPicturesWithinRoundingOfTheExactFormulasTopRowFirst) {
    const int width = 38, height = 12;
    srand(7);
    std::vector<unsigned char> rgba((size_t)width * height * 4);
    for (unsigned char& c : rgba) c = (unsigned char)(rand() & 255);
    Picture p = convert(width, height, rgba);
    const double kr = 0.2126, kb = 0.0722, kg = 1 - kr - kb;
    auto at = [&](int x, int y, int c) { return (double)rgba[((size_t)(height - 1 - y) * width + x) * 4 + c]; };
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            double luma = 16 + 219 * (kr * at(x, y, 0) + kg * at(x, y, 1) + kb * at(x, y, 2)) / 255;
            EXPECT_LE(fabs(p.y[(size_t)y * (width + 16) + x] - luma), 0.51) << x << "," << y;
        }
    for (int y = 0; y < height / 2; y++)
        for (int x = 0; x < width / 2; x++) {
            double r = 0, g = 0, b = 0;
            for (int dy = 0; dy < 2; dy++)
                for (int dx = 0; dx < 2; dx++) {
                    r += at(2 * x + dx, 2 * y + dy, 0) / 4;
                    g += at(2 * x + dx, 2 * y + dy, 1) / 4;
                    b += at(2 * x + dx, 2 * y + dy, 2) / 4;
                }
            double luma = kr * r + kg * g + kb * b;
            double cb = 128 + 224 * (b - luma) / (2 * (1 - kb)) / 255, cr = 128 + 224 * (r - luma) / (2 * (1 - kr)) / 255;
            EXPECT_LE(fabs(p.u[(size_t)y * (width / 2 + 8) + x] - cb), 0.51) << x << "," << y;
            EXPECT_LE(fabs(p.v[(size_t)y * (width / 2 + 8) + x] - cr), 0.51) << x << "," << y;
        }
}

}  // namespace
