// Texture upload on a headless GL context.
#include <gtest/gtest.h>
#include <stdio.h>

#include "platform/scripted.h"  // before GL: it defines APIENTRY unconditionally
#include <GL/gl.h>
#include "tests/image/bmp_bytes.h"
#include "tests/image/temp_dir.h"

namespace {

const uint32_t kUntouched = 0xdeadbeef;

class BmpTexture : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::reset();
        if (!scripted::open_gl_context(64, 64)) GTEST_SKIP() << "no GL context";
        for (uint32_t& name : names) name = kUntouched;
    }
    void TearDown() override {
        for (const std::string& path : written) remove(path.c_str());
    }
    std::string file(const std::string& name, const Bytes& bytes) {
        written.push_back(write_temp(name, bytes));
        return written.back();
    }
    GLint level_size(GLint level, GLenum which) {
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
        return value;
    }
    uint32_t names[20];
    std::vector<std::string> written;
};

// A 24-bit BMP of width x height whose pixel (x, y), y counted from the bottom
// row, is (x * 40 + 1, y * 30 + 2, x + y), and those pixels as RGB rows.
Bytes gradient_bmp(int width, int height, Bytes* picture) {
    Bytes rows;
    for (int y = 0; y < height; ++y) {
        Bytes row;
        for (int x = 0; x < width; ++x) {
            uint8_t r = uint8_t(x * 40 + 1), g = uint8_t(y * 30 + 2), b = uint8_t(x + y);
            append(row, {b, g, r});
            append(*picture, {r, g, b});
        }
        append(rows, padded(row));
    }
    return bm_file(full_header(width, height, 24), rows);
}

TEST_F(BmpTexture, ThreeSlotsGetDistinctNamesAndTheRestStayUntouched) {
    Bytes picture;
    std::string a = file("2.bmp", gradient_bmp(4, 4, &picture));
    std::string b = file("te1.bmp", gradient_bmp(8, 2, &picture));
    std::string c = file("te2.bmp", gradient_bmp(3, 5, &picture));
    BMP_Texture(names, a.c_str(), 2);
    BMP_Texture(names, b.c_str(), 3);
    BMP_Texture(names, c.c_str(), 4);
    for (int slot = 2; slot <= 4; ++slot) {
        EXPECT_NE(names[slot], 0u);
        EXPECT_NE(names[slot], kUntouched);
        EXPECT_TRUE(glIsTexture(names[slot]));
    }
    EXPECT_NE(names[2], names[3]);
    EXPECT_NE(names[3], names[4]);
    EXPECT_NE(names[2], names[4]);
    for (int slot : {0, 1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19})
        EXPECT_EQ(names[slot], kUntouched) << slot;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), names[4]);  // the last upload stays bound
    EXPECT_TRUE(scripted::message_boxes().empty());
    glDeleteTextures(3, names + 2);
}

TEST_F(BmpTexture, LevelZeroIsThePictureForUnalignedRows) {
    // Width 2: rows of 6 bytes, which only an unpack alignment of 1 reads right.
    Bytes picture;
    std::string path = file("narrow.bmp", gradient_bmp(2, 4, &picture));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    BMP_Texture(names, path.c_str(), 3);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);

    glBindTexture(GL_TEXTURE_2D, names[3]);
    EXPECT_EQ(level_size(0, GL_TEXTURE_WIDTH), 2);
    EXPECT_EQ(level_size(0, GL_TEXTURE_HEIGHT), 4);
    Bytes level0(picture.size() + 16, 0x77);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level0.data());
    EXPECT_EQ(Bytes(level0.begin(), level0.begin() + picture.size()), picture);
    EXPECT_EQ(level0[picture.size()], 0x77);
    glDeleteTextures(1, names + 3);
}

TEST_F(BmpTexture, FullMipmapChainFiltersAndWraps) {
    Bytes picture;
    std::string path = file("chain.bmp", gradient_bmp(16, 4, &picture));
    BMP_Texture(names, path.c_str(), 2);
    glBindTexture(GL_TEXTURE_2D, names[2]);
    // 16 x 4 halves down to 1 x 1 at level 4.
    EXPECT_EQ(level_size(2, GL_TEXTURE_WIDTH), 4);
    EXPECT_EQ(level_size(2, GL_TEXTURE_HEIGHT), 1);
    EXPECT_EQ(level_size(4, GL_TEXTURE_WIDTH), 1);
    EXPECT_EQ(level_size(4, GL_TEXTURE_HEIGHT), 1);
    EXPECT_EQ(level_size(5, GL_TEXTURE_WIDTH), 0);  // nothing beyond the 1 x 1 level
    GLint components = level_size(4, GL_TEXTURE_INTERNAL_FORMAT);
    EXPECT_TRUE(components == 3 || components == GL_RGB) << components;

    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glDeleteTextures(1, names + 2);
}

TEST_F(BmpTexture, SidesThatAreNotPowersOfTwoAreAccepted) {
    Bytes picture;
    std::string path = file("odd.bmp", gradient_bmp(5, 3, &picture));
    BMP_Texture(names, path.c_str(), 4);
    EXPECT_NE(names[4], kUntouched);
    glBindTexture(GL_TEXTURE_2D, names[4]);
    EXPECT_GT(level_size(0, GL_TEXTURE_WIDTH), 0);
    EXPECT_GT(level_size(0, GL_TEXTURE_HEIGHT), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDeleteTextures(1, names + 4);
}

TEST_F(BmpTexture, NullNameChangesNothing) {
    BMP_Texture(names, nullptr, 2);
    EXPECT_EQ(names[2], kUntouched);
    EXPECT_TRUE(scripted::message_boxes().empty());
}

// Prints the boxes shown before the process ends, for the death tests' regex.
void print_boxes_at_exit() {
    atexit([] {
        for (const auto& box : scripted::message_boxes())
            fprintf(stderr, "box [%s] [%s] %u\n", box.caption.c_str(), box.text.c_str(), box.style);
    });
}

TEST_F(BmpTexture, MissingFileEndsTheProcessWithStatusZeroAfterItsMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            print_boxes_at_exit();
            BMP_Texture(names, "te1.bmp", 3);
            fprintf(stderr, "returned\n");
        },
        ::testing::ExitedWithCode(0), "^box \\[Error\\] \\[Failed to open DIB file te1\\.bmp\\.\n\\] 0\n$");
}

TEST_F(BmpTexture, UndecodableFileEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string path = file("unknown.bmp", bm_file(Bytes{108, 0, 0, 0}, {}));
    EXPECT_EXIT(
        {
            static std::string doomed = path;  // the dying process removes its own copy
            atexit([] { remove(doomed.c_str()); });
            print_boxes_at_exit();
            BMP_Texture(names, path.c_str(), 3);
        },
        ::testing::ExitedWithCode(0), "^box \\[Error\\] \\[Unknown DIB file format\\.\\] 0\n$");
}

}  // namespace
