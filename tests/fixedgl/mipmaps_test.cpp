// The layer's gluBuild2DMipmaps levels (computed on the CPU before upload)
// against the system's libGLU: its levels read back level by level from a
// desktop GL context, compared byte for byte, for the demo's pictures and
// sizes and for awkward ones, at unpack alignments 1 and 4.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "fixedgl/mipmap_levels.h"
#include "image/rgb_image.h"
#include "platform/scripted.h"

namespace {

struct Picture {
    int width, height, components;
    int alignment;
    std::vector<unsigned char> bytes;  // rows padded to the alignment
    size_t row_bytes() const {
        size_t row = (size_t)width * components;
        return (row + alignment - 1) / alignment * alignment;
    }
};

GLenum format_of(int components) {
    return components == 1 ? GL_LUMINANCE : components == 2 ? GL_LUMINANCE_ALPHA : components == 3 ? GL_RGB : GL_RGBA;
}

// Texels with structure (gradients and edges) and noise, the same every run.
Picture make_picture(int width, int height, int components, int alignment) {
    Picture p{width, height, components, alignment, {}};
    p.bytes.assign(p.row_bytes() * height, 0xA5);  // the padding, never read
    unsigned state = 12345u + (unsigned)(width * 31 + height * 7 + components);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            for (int k = 0; k < components; k++) {
                state = state * 1103515245u + 12345u;
                int value = (x * 255 / (width > 1 ? width - 1 : 1) + (k == 1 ? y * 97 : 0) + ((x / 3 + y / 2) % 2) * 60 +
                             (int)((state >> 16) % 40)) % 256;
                p.bytes[y * p.row_bytes() + (size_t)x * components + k] = (unsigned char)value;
            }
    return p;
}

// libGLU's levels, as the system's GL holds them.
std::vector<MipmapLevel> glu_levels(const Picture& p) {
    GLuint texture;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, p.alignment);
    GLenum format = format_of(p.components);
    EXPECT_EQ(gluBuild2DMipmaps(GL_TEXTURE_2D, p.components, p.width, p.height, format, GL_UNSIGNED_BYTE,
                                p.bytes.data()),
              0);
    std::vector<MipmapLevel> levels;
    for (int level = 0;; level++) {
        MipmapLevel l;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &l.width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &l.height);
        if (l.width == 0) break;
        l.bytes.resize((size_t)l.width * l.height * p.components);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, l.bytes.data());
        levels.push_back(l);
        if (l.width == 1 && l.height == 1) break;
    }
    glDeleteTextures(1, &texture);
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    return levels;
}

// Whether libGLU would hand GL a scaled level 0 with rows not a multiple of
// the unpack alignment (see expect_same_levels).
bool glu_misreads_level0(const Picture& p) {
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    int w, h;
    mipmap_base_size(p.width, p.height, max_size, w, h);
    return (w != p.width || h != p.height) && (w * p.components) % p.alignment != 0;
}

void expect_same_levels(const Picture& p) {
#if defined(__SANITIZE_ADDRESS__)
    // GL reads such a level past the end of libGLU's buffer, which stops an
    // AddressSanitizer build in the system's libraries; the plain build
    // compares the other levels.
    if (glu_misreads_level0(p)) return;
#endif
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    std::vector<MipmapLevel> glu = glu_levels(p);
    std::vector<MipmapLevel> ours = build_mipmap_levels(p.bytes.data(), p.width, p.height, p.components,
                                                        p.row_bytes(), max_size);
    ASSERT_EQ(ours.size(), glu.size());
    // libGLU hands GL a level 0 it scaled with its rows packed, but under the
    // caller's unpack alignment: where a row's bytes are not a multiple of
    // it, GL reads the rows misaligned and past the end of GLU's buffer (a
    // 1x7 luminance picture at alignment 4 comes out 10 106 0 0 0 0 33 0
    // where the scaled texels are 10 34 58 ...). The layer keeps the scaled
    // texels; the levels below, which GLU pads properly, are compared.
    bool skip_level0 = glu_misreads_level0(p);
    for (size_t level = 0; level < glu.size(); level++) {
        EXPECT_EQ(ours[level].width, glu[level].width) << "level " << level;
        EXPECT_EQ(ours[level].height, glu[level].height) << "level " << level;
        ASSERT_EQ(ours[level].bytes.size(), glu[level].bytes.size()) << "level " << level;
        if (level == 0 && skip_level0) continue;
        size_t differing = 0, first = 0;
        for (size_t i = 0; i < glu[level].bytes.size(); i++)
            if (ours[level].bytes[i] != glu[level].bytes[i] && differing++ == 0) first = i;
        EXPECT_EQ(differing, 0u) << "level " << level << " (" << glu[level].width << "x" << glu[level].height
                                 << "), first at byte " << first << ": ours " << (int)ours[level].bytes[first]
                                 << ", GLU's " << (int)glu[level].bytes[first];
    }
}

class Mipmaps : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(scripted::open_gl_context(64, 64)); }
};

struct Size {
    int width, height;
};

TEST_F(Mipmaps, DemoSizesMatchLibGluByteForByte) {
    // The backdrop's and the overlays' sizes.
    for (Size s : {Size{320, 240}, Size{128, 128}, Size{64, 104}})
        for (int alignment : {1, 4}) {
            SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height) + " alignment " +
                         std::to_string(alignment));
            expect_same_levels(make_picture(s.width, s.height, 3, alignment));
        }
}

TEST_F(Mipmaps, AwkwardSizesMatchLibGluByteForByte) {
    for (Size s : {Size{3, 5}, Size{1, 7}, Size{7, 1}, Size{1, 1}, Size{2, 1}, Size{5, 3}, Size{100, 60},
                   Size{33, 17}, Size{47, 200}, Size{13, 13}, Size{6, 6}, Size{640, 3}, Size{257, 129}})
        for (int components : {1, 3, 4})
            for (int alignment : {1, 4}) {
                SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height) + ", " +
                             std::to_string(components) + " components, alignment " + std::to_string(alignment));
                expect_same_levels(make_picture(s.width, s.height, components, alignment));
            }
}

// The demo's own pictures, decoded as the demo decodes them.
TEST_F(Mipmaps, DemoPicturesMatchLibGluByteForByte) {
    for (const char* name : {"2.bmp", "te1.bmp", "te2.bmp"}) {
        SCOPED_TRACE(name);
        RgbImage* image = auxDIBImageLoadA((std::string(QO_DATA_DIR) + "/" + name).c_str());
        ASSERT_NE(image, nullptr);
        Picture p{image->width, image->height, 3, 1, {}};
        p.bytes.assign(image->pixels, image->pixels + (size_t)image->width * image->height * 3);
        free(image->pixels);
        free(image);
        expect_same_levels(p);
    }
}

// Wider than GL's largest texture: GLU halves both sides until level 0
// fits, so the picture shrinks by more than 2 on a side, where GLU's box
// filter reads its boxes' edge columns one texel further right on every row
// between their first and last (kept as GLU does it).
TEST_F(Mipmaps, PictureLargerThanTheLimitMatchesLibGlu) {
    GLint max_size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    Picture p = make_picture(max_size + max_size / 2, 11, 3, 1);
    int w, h;
    mipmap_base_size(p.width, p.height, max_size, w, h);
    ASSERT_GT(p.height, 2 * h) << "the picture must shrink by more than 2 down its side";
    expect_same_levels(p);
}

TEST(MipmapSizes, NearestPowerOfTwoRoundsAsGluDoes) {
    // GLU keeps halving until 1 or 3 is left; a 3 goes up.
    EXPECT_EQ(nearest_power_of_two(3), 4);
    EXPECT_EQ(nearest_power_of_two(5), 4);
    EXPECT_EQ(nearest_power_of_two(6), 8);
    EXPECT_EQ(nearest_power_of_two(320), 256);
    EXPECT_EQ(nearest_power_of_two(240), 256);
    EXPECT_EQ(nearest_power_of_two(104), 128);
    int w, h;
    mipmap_base_size(3000, 100, 1024, w, h);  // both sides halve together until it fits
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 64);
}

}  // namespace
