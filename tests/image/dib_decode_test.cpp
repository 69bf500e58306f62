// Decoding BMP bytes held in memory: every depth, both headers, both file
// forms, row order, and every refusal with its message.
#include <gtest/gtest.h>

#include "platform/scripted.h"
#include "tests/image/bmp_bytes.h"

namespace {

struct Rgb {
    uint8_t r, g, b;
};

Bytes table4(std::initializer_list<Rgb> colors) {
    Bytes b;
    for (Rgb c : colors) append(b, {c.b, c.g, c.r, 0x55});  // the fourth byte is never a colour
    return b;
}

Bytes rgb(std::initializer_list<Rgb> colors) {
    Bytes b;
    for (Rgb c : colors) append(b, {c.r, c.g, c.b});
    return b;
}

Rgb color(int i) { return Rgb{uint8_t(i * 50 + 5), uint8_t(i * 10), 200}; }

Bytes rle_table(int count) {
    Bytes b;
    for (int i = 0; i < count; ++i) append(b, {color(i).b, color(i).g, color(i).r, 0});
    return b;
}

class DibDecode : public ::testing::Test {
protected:
    void SetUp() override {
        scripted::reset();
        tkPopupEnable = true;
    }
    void TearDown() override { tkPopupEnable = true; }

    // Decodes a file that must be refused, with exactly `text` reported.
    void expect_refused(const Bytes& file, const std::string& text) {
        scripted::reset();
        RgbImage* image = decode_exact(file);
        EXPECT_EQ(image, nullptr);
        free_image(image);
        const auto& boxes = scripted::message_boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].caption, "Error");
        EXPECT_EQ(boxes[0].style, 0u);
        EXPECT_EQ(boxes[0].owner, GetFocus());
    }

    // Decodes a file that must be accepted, silently, into width x height pixels.
    Bytes decoded(const Bytes& file, int32_t width, int32_t height) {
        scripted::reset();
        RgbImage* image = decode_exact(file);
        EXPECT_NE(image, nullptr);
        if (!image) return Bytes();
        EXPECT_EQ(image->width, width);
        EXPECT_EQ(image->height, height);
        Bytes pixels = pixels_of(image);
        free_image(image);
        EXPECT_TRUE(scripted::message_boxes().empty());
        return pixels;
    }
};

const char kUnknown[] = "Unknown DIB file format.";
const char kConversion[] = "Image file conversion error.";

TEST_F(DibDecode, Depth24Width3DropsRowPadding) {
    Bytes rows = {3, 2, 1, 6, 5, 4, 9, 8, 7, 0xee, 0xee, 0xee, 12, 11, 10, 15, 14, 13, 18, 17, 16, 0xee, 0xee, 0xee};
    Bytes expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    EXPECT_EQ(decoded(bm_file(full_header(3, 2, 24), rows), 3, 2), expected);
}

TEST_F(DibDecode, Depth24Width4HasNoPaddingToSkip) {
    Bytes rows, expected;
    for (int i = 0; i < 8; ++i) {  // two rows of four pixels
        append(rows, {uint8_t(3 * i + 2), uint8_t(3 * i + 1), uint8_t(3 * i)});
        append(expected, {uint8_t(3 * i), uint8_t(3 * i + 1), uint8_t(3 * i + 2)});
    }
    EXPECT_EQ(decoded(bm_file(full_header(4, 2, 24), rows), 4, 2), expected);
}

TEST_F(DibDecode, FirstStoredRowIsFirstOutputRow) {
    // Positive height: the file's first row is the picture's bottom row.
    Bytes rows = padded({0, 0, 255}), top = padded({255, 0, 0});
    append(rows, top);
    Bytes out = decoded(bm_file(full_header(1, 2, 24), rows), 1, 2);
    EXPECT_EQ(out, rgb({{255, 0, 0}, {0, 0, 255}}));
}

TEST_F(DibDecode, NegativeHeightIsTurnedBottomRowFirst) {
    Bytes rows = padded({3, 2, 1, 6, 5, 4, 9, 8, 7});  // top row stored first
    append(rows, padded({12, 11, 10, 15, 14, 13, 18, 17, 16}));
    Bytes expected = {10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(decoded(bm_file(full_header(3, -2, 24), rows), 3, 2), expected);

    Bytes headers = full_header(2, -3, 8, 0, 3);
    append(headers, table4({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}));
    Bytes indexed = {0, 1, 0, 0, 2, 2, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(decoded(packed_file(headers, indexed), 2, 3),
              rgb({{2, 2, 2}, {1, 1, 1}, {3, 3, 3}, {3, 3, 3}, {1, 1, 1}, {2, 2, 2}}));
}

TEST_F(DibDecode, PackedFileWithoutFileHeader) {
    Bytes rows = padded({3, 2, 1, 6, 5, 4, 9, 8, 7});
    Bytes headers = full_header(3, 1, 24);
    EXPECT_EQ(decoded(packed_file(headers, rows), 3, 1), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(DibDecode, Depth8WithFullTable) {
    Bytes headers = full_header(3, 2, 8);
    for (int i = 0; i < 256; ++i) append(headers, {uint8_t(i / 2), uint8_t(255 - i), uint8_t(i), 0});
    Bytes rows = {0, 255, 17, 0xee, 128, 1, 254, 0xee};
    Bytes expected;
    for (int i : {0, 255, 17, 128, 1, 254}) append(expected, {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    EXPECT_EQ(decoded(bm_file(headers, rows), 3, 2), expected);
    EXPECT_EQ(decoded(packed_file(headers, rows), 3, 2), expected);
}

TEST_F(DibDecode, Depth8WithColoursUsed17LooksUpThose17) {
    Bytes headers = full_header(4, 1, 8, 0, 17);
    for (int i = 0; i < 17; ++i) append(headers, {7, uint8_t(200 - i), uint8_t(10 * i), 0});
    // Packed: the pixels begin right after the 17th entry.
    Bytes out = decoded(packed_file(headers, {16, 0, 5, 9}), 4, 1);
    EXPECT_EQ(out, rgb({{160, 184, 7}, {0, 200, 7}, {50, 195, 7}, {90, 191, 7}}));
}

TEST_F(DibDecode, IndexBeyondTableIsRefused) {
    Bytes headers = full_header(4, 1, 8, 0, 17);
    for (int i = 0; i < 17; ++i) append(headers, {0, 0, 0, 0});
    expect_refused(packed_file(headers, {16, 0, 17, 9}), kConversion);
    expect_refused(bm_file(headers, {255, 0, 0, 0}), kConversion);
}

TEST_F(DibDecode, Depth4HighNibbleFirstAndPaddingNotChecked) {
    // Five entries; the row's unused nibble and padding hold indices beyond them.
    Bytes headers = full_header(5, 1, 4, 0, 5);
    append(headers, table4({{0, 0, 255}, {40, 1, 255}, {80, 2, 255}, {120, 3, 255}, {160, 4, 255}}));
    Bytes out = decoded(bm_file(headers, {0x01, 0x23, 0x4f, 0xee}), 5, 1);
    EXPECT_EQ(out, rgb({{0, 0, 255}, {40, 1, 255}, {80, 2, 255}, {120, 3, 255}, {160, 4, 255}}));
    expect_refused(bm_file(headers, {0x01, 0x25, 0x4f, 0xee}), kConversion);
}

TEST_F(DibDecode, Depth1MostSignificantBitFirst) {
    Bytes headers = full_header(10, 2, 1);
    append(headers, table4({{255, 0, 0}, {0, 0, 255}}));
    Bytes rows = {0xb0, 0x7f, 0xff, 0xff, 0x40, 0xbf, 0xff, 0xff};  // padding bits set
    Rgb R = {255, 0, 0}, B = {0, 0, 255};
    Bytes expected = rgb({B, R, B, B, R, R, R, R, R, B, R, B, R, R, R, R, R, R, B, R});
    EXPECT_EQ(decoded(bm_file(headers, rows), 10, 2), expected);
}

TEST_F(DibDecode, Depth1WithOneColourRefusesOnlyRealPixels) {
    Bytes headers = full_header(3, 1, 1, 0, 1);
    append(headers, table4({{9, 8, 7}}));
    EXPECT_EQ(decoded(packed_file(headers, {0x1f, 0xff, 0xff, 0xff}), 3, 1), rgb({{9, 8, 7}, {9, 8, 7}, {9, 8, 7}}));
    expect_refused(packed_file(headers, {0x20, 0, 0, 0}), kConversion);
}

TEST_F(DibDecode, ShortHeaderWithThreeByteEntries) {
    Bytes headers = short_header(2, 2, 4);
    for (int i = 0; i < 16; ++i) append(headers, {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i)});  // blue, green, red
    Bytes rows = {0x0f, 0, 0, 0, 0x7a, 0, 0, 0};
    Bytes expected = rgb({{0, 0, 0}, {45, 30, 15}, {21, 14, 7}, {30, 20, 10}});
    EXPECT_EQ(decoded(bm_file(headers, rows), 2, 2), expected);
    EXPECT_EQ(decoded(packed_file(headers, rows), 2, 2), expected);  // pixels at 12 + 3 x 16
}

TEST_F(DibDecode, ShortHeaderSizesAreUnsigned16Bit) {
    const int width = 40000;  // beyond a signed 16-bit value
    Bytes headers = short_header(width, 2, 1);
    append(headers, {0, 0, 0, 255, 255, 255});
    Bytes rows(width / 8 * 2, 0x00);
    rows[0] = 0x80;                // bottom row, first pixel white
    rows[width / 8 * 2 - 1] = 1;   // top row, last pixel white
    RgbImage* image = decode_exact(bm_file(headers, rows));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, 2);
    const uint8_t* p = image->pixels;
    EXPECT_EQ(Bytes(p, p + 6), Bytes({255, 255, 255, 0, 0, 0}));
    EXPECT_EQ(Bytes(p + 2 * width * 3 - 6, p + 2 * width * 3), Bytes({0, 0, 0, 255, 255, 255}));
    free_image(image);
}

TEST_F(DibDecode, ShortHeader24Bit) {
    Bytes rows = padded({30, 20, 10, 60, 50, 40});
    EXPECT_EQ(decoded(packed_file(short_header(2, 1, 24), rows), 2, 1), Bytes({10, 20, 30, 40, 50, 60}));
}

// Five-bit fields widen by repeating their top bits: 31 -> 255, 16 -> 132.
uint8_t w5(unsigned v) { return uint8_t(v << 3 | v >> 2); }
uint8_t w6(unsigned v) { return uint8_t(v << 2 | v >> 4); }

TEST_F(DibDecode, Depth16Plain555) {
    Bytes row;
    for (unsigned p : {31u << 10, 31u << 5, 31u, 16u << 10 | 1u << 5 | 8u, 0xffffu}) put16(row, p);
    Bytes expected = rgb({{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {w5(16), w5(1), w5(8)}, {255, 255, 255}});
    EXPECT_EQ(expected[9], 132);
    EXPECT_EQ(decoded(bm_file(full_header(5, 1, 16), padded(row)), 5, 1), expected);
    EXPECT_EQ(decoded(packed_file(short_header(5, 1, 16), padded(row)), 5, 1), expected);
}

TEST_F(DibDecode, Depth16BitFields565MasksAfterHeader) {
    Bytes headers = full_header(3, 1, 16, kDibBitfields);
    put32(headers, 0xf800), put32(headers, 0x07e0), put32(headers, 0x001f);
    Bytes row;
    for (unsigned p : {0xffe0u, 32u << 5 | 1u, 3u << 11 | 5u << 5 | 30u}) put16(row, p);
    Bytes expected = rgb({{255, 255, 0}, {0, w6(32), w5(1)}, {w5(3), w6(5), w5(30)}});
    EXPECT_EQ(decoded(bm_file(headers, padded(row)), 3, 1), expected);
    EXPECT_EQ(decoded(packed_file(headers, padded(row)), 3, 1), expected);  // pixels after the masks
}

TEST_F(DibDecode, Depth32PlainAndBitFields) {
    Bytes row = {1, 2, 3, 99, 250, 251, 252, 0};
    EXPECT_EQ(decoded(bm_file(full_header(2, 1, 32), row), 2, 1), Bytes({3, 2, 1, 252, 251, 250}));

    Bytes swapped = full_header(2, 1, 32, kDibBitfields);
    put32(swapped, 0x0000ff), put32(swapped, 0x00ff00), put32(swapped, 0xff0000);
    EXPECT_EQ(decoded(bm_file(swapped, row), 2, 1), Bytes({1, 2, 3, 250, 251, 252}));

    Bytes wide = full_header(1, 1, 32, kDibBitfields);  // 10-bit fields keep their top 8 bits
    put32(wide, 0x3ff00000), put32(wide, 0x000ffc00), put32(wide, 0x000003ff);
    Bytes pixel;
    put32(pixel, 0x3ffu << 20 | 0x200u << 10 | 0x0ffu);
    EXPECT_EQ(decoded(packed_file(wide, pixel), 1, 1), Bytes({255, 128, 63}));
}

TEST_F(DibDecode, Rle8RunsLiteralsRowEndsAndMoves) {
    Bytes headers = full_header(6, 3, 8, kDibRle8, 4);
    append(headers, rle_table(4));
    Bytes stream = {3, 1,  0, 3, 2, 3, 0, 0,  0, 0,  // row 0: run, odd literal with pad, end of row
                    2, 2,  0, 2, 1, 1,                // row 1: run, move right 1 and up 1
                    4, 3,                             // row 2 from x 3: run clipped at the right edge
                    0, 1};
    Rgb K = {0, 0, 0};
    Bytes expected = rgb({color(1), color(1), color(1), color(2), color(3), color(0),
                          color(2), color(2), K, K, K, K,
                          K, K, K, color(3), color(3), color(3)});
    EXPECT_EQ(decoded(bm_file(headers, stream), 6, 3), expected);
    EXPECT_EQ(decoded(packed_file(headers, stream), 6, 3), expected);
}

TEST_F(DibDecode, Rle4AlternatingNibblesAndLiterals) {
    Bytes headers = full_header(5, 3, 4, kDibRle4);
    append(headers, rle_table(16));
    Bytes stream = {5, 0x12, 0, 0,                     // 1 2 1 2 1
                    0, 3, 0x34, 0x50, 1, 0x60, 0, 0,   // literal 3 4 5 (two bytes, no pad), then 6
                    0, 5, 0x78, 0x9a, 0xb0, 0,         // literal of three bytes padded to four
                    0, 1};
    Rgb K = {0, 0, 0};
    Bytes expected = rgb({color(1), color(2), color(1), color(2), color(1),
                          color(3), color(4), color(5), color(6), K,
                          color(7), color(8), color(9), color(10), color(11)});
    EXPECT_EQ(decoded(bm_file(headers, stream), 5, 3), expected);
}

TEST_F(DibDecode, RleRefusals) {
    Bytes headers = full_header(4, 2, 8, kDibRle8, 2);
    append(headers, rle_table(2));
    expect_refused(bm_file(headers, {4, 1, 0, 0, 4, 0}), kConversion);           // no end marker
    expect_refused(bm_file(headers, {0, 5, 1, 1, 0, 1}), kConversion);           // literal past the end
    expect_refused(bm_file(headers, {0, 2, 1}), kConversion);                    // move cut short
    expect_refused(bm_file(headers, {4, 2, 0, 1}), kConversion);                 // run index beyond the table
    expect_refused(bm_file(headers, {0, 3, 0, 1, 2, 0, 0, 1}), kConversion);     // literal index beyond it
    Bytes four = full_header(4, 1, 4, kDibRle4, 3);
    append(four, rle_table(3));
    expect_refused(bm_file(four, {2, 0x13, 0, 1}), kConversion);   // second nibble beyond the table
    EXPECT_EQ(decoded(bm_file(four, {1, 0x23, 0, 1}), 4, 1), rgb({color(2), {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));

    Bytes topDown = full_header(4, -2, 8, kDibRle8, 2);
    append(topDown, rle_table(2));
    expect_refused(bm_file(topDown, {4, 1, 0, 1}), kConversion);
}

TEST_F(DibDecode, UnknownHeaderSizes) {
    for (uint32_t size : {108u, 124u, 64u, 16u, 0u, 41u}) {
        Bytes headers = full_header(1, 1, 24);
        headers[0] = uint8_t(size);
        headers.resize(size > 40 ? size : 40, 0);
        expect_refused(bm_file(headers, padded({1, 2, 3})), kUnknown);
        expect_refused(packed_file(headers, padded({1, 2, 3})), kUnknown);
    }
}

TEST_F(DibDecode, SizeAndFormatRefusals) {
    const Bytes pixel = padded({1, 2, 3});
    expect_refused(bm_file(full_header(0, 1, 24), pixel), kConversion);
    expect_refused(bm_file(full_header(1, 0, 24), pixel), kConversion);
    expect_refused(bm_file(full_header(-1, 1, 24), pixel), kConversion);
    expect_refused(bm_file(full_header(1, INT32_MIN, 24), pixel), kConversion);
    expect_refused(packed_file(short_header(0, 1, 24), pixel), kConversion);
    for (uint16_t bits : {0, 2, 7, 48, 64}) expect_refused(bm_file(full_header(1, 1, bits), Bytes(64, 0)), kConversion);
    expect_refused(packed_file(short_header(1, 1, 2), Bytes(64, 0)), kConversion);
    for (uint32_t compression : {4u, 5u, 6u, 11u}) expect_refused(bm_file(full_header(1, 1, 24, compression), pixel), kConversion);
    expect_refused(bm_file(full_header(1, 1, 24, kDibBitfields), Bytes(64, 0)), kConversion);
    expect_refused(bm_file(full_header(1, 1, 4, kDibRle8), Bytes(64, 0)), kConversion);
    expect_refused(bm_file(full_header(1, 1, 8, kDibRle4), Bytes(64, 0)), kConversion);
}

TEST_F(DibDecode, SizesWhoseProductOverflowsAreRefused) {
    expect_refused(bm_file(full_header(INT32_MAX, INT32_MAX, 24), Bytes(64, 0)), kConversion);
    expect_refused(bm_file(full_header(INT32_MAX, -INT32_MAX, 32), Bytes(64, 0)), kConversion);
    expect_refused(bm_file(full_header(65536, 65536, 1), Bytes(64, 0)), kConversion);
    // A tiny run-length stream claiming more than 2 GiB of output.
    Bytes headers = full_header(50000, 50000, 8, kDibRle8, 1);
    append(headers, rle_table(1));
    expect_refused(bm_file(headers, {0, 1}), kConversion);
}

TEST_F(DibDecode, RangesOutsideTheFileAreRefused) {
    Bytes headers = full_header(1, 1, 24);
    Bytes file = bm_file(headers, padded({1, 2, 3}));
    Bytes offsetPast = file;
    offsetPast[10] = uint8_t(file.size() + 1);
    expect_refused(offsetPast, kConversion);
    Bytes offsetAtEnd = file;
    offsetAtEnd[10] = uint8_t(file.size());
    expect_refused(offsetAtEnd, kConversion);
    Bytes offsetHuge = file;
    offsetHuge[13] = 0xff;
    expect_refused(offsetHuge, kConversion);
    // The last row's padding is part of the pixel data.
    expect_refused(bm_file(headers, {1, 2, 3}), kConversion);

    // An 8-bit file whose colour table runs past its end.
    Bytes indexed = full_header(1, 1, 8);
    append(indexed, Bytes(4 * 16, 0));
    expect_refused(bm_file(indexed, {0, 0, 0, 0}), kConversion);
    // Bit-field masks past the end.
    Bytes fields = bm_file(full_header(1, 1, 16, kDibBitfields), {});
    expect_refused(fields, kConversion);
    // Too short for any header.
    expect_refused({}, kConversion);
    expect_refused({'B'}, kConversion);
    expect_refused({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0}, kConversion);
    expect_refused({40, 0, 0}, kConversion);
}

TEST_F(DibDecode, EveryTruncationIsRefused) {
    Bytes small8 = full_header(3, 2, 8, 0, 3);
    append(small8, table4({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
    Bytes rle = full_header(4, 2, 8, kDibRle8, 2);
    append(rle, rle_table(2));
    Bytes fields = full_header(3, 2, 16, kDibBitfields);
    put32(fields, 0xf800), put32(fields, 0x07e0), put32(fields, 0x001f);
    Bytes four = short_header(5, 2, 4);
    append(four, Bytes(48, 7));
    const Bytes files[] = {
        bm_file(full_header(3, 2, 24), Bytes(24, 9)),
        packed_file(small8, {0, 1, 2, 0, 2, 1, 0, 0}),
        bm_file(rle, {4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1}),
        packed_file(fields, Bytes(16, 0x42)),
        bm_file(four, Bytes(8, 0x12)),
    };
    for (const Bytes& file : files) {
        RgbImage* whole = decode_exact(file);
        ASSERT_NE(whole, nullptr);
        free_image(whole);
        for (size_t length = 0; length < file.size(); ++length) {
            SCOPED_TRACE(length);
            expect_refused(Bytes(file.begin(), file.begin() + length), kConversion);
        }
    }
}

TEST_F(DibDecode, PopupDisabledRefusesSilently) {
    tkPopupEnable = false;
    RgbImage* image = decode_exact(bm_file(full_header(0, 1, 24), {}));
    EXPECT_EQ(image, nullptr);
    image = decode_exact(packed_file(full_header(1, 1, 24), {}));
    EXPECT_EQ(image, nullptr);
    Bytes unknown = full_header(1, 1, 24);
    unknown[0] = 108;
    EXPECT_EQ(decode_exact(packed_file(unknown, Bytes(80, 0))), nullptr);
    EXPECT_TRUE(scripted::message_boxes().empty());
    // And decoding still works.
    RgbImage* good = decode_exact(packed_file(full_header(1, 1, 24), padded({1, 2, 3})));
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(pixels_of(good), Bytes({3, 2, 1}));
    free_image(good);
}

TEST(DibNumColors, ShortHeaderByDepth) {
    const int cases[][2] = {{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}, {2, 0}};
    for (auto [bits, n] : cases) {
        Bytes h = short_header(1, 1, uint16_t(bits));
        EXPECT_EQ(DibNumColors(h.data()), n) << bits;
    }
}

TEST(DibNumColors, FullHeaderColoursUsedThenDepth) {
    EXPECT_EQ(DibNumColors(full_header(1, 1, 8, 0, 17).data()), 17);
    EXPECT_EQ(DibNumColors(full_header(1, 1, 24, 0, 5).data()), 5);
    EXPECT_EQ(DibNumColors(full_header(1, 1, 8, 0, 0x10011).data()), 0x11);  // low 16 bits
    EXPECT_EQ(DibNumColors(full_header(1, 1, 8, 0, 0x10000).data()), 0);
    EXPECT_EQ(DibNumColors(full_header(1, 1, 4).data()), 16);
    EXPECT_EQ(DibNumColors(full_header(1, 1, 1).data()), 2);
    EXPECT_EQ(DibNumColors(full_header(1, 1, 8).data()), 256);
    EXPECT_EQ(DibNumColors(full_header(1, 1, 24).data()), 0);
    // Any size but 12 reads the full header's fields.
    Bytes big = full_header(1, 1, 4, 0, 0);
    big[0] = 108;
    EXPECT_EQ(DibNumColors(big.data()), 16);
}

}  // namespace
