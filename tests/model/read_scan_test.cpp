// The text cursor against the C library itself: every scanner must convert
// the same values, return the same count and consume the same characters as
// glibc's fscanf/fgets on the same bytes (through fmemopen).
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/text_cursor.h"

namespace {

struct Libc {
    int result;
    long consumed;
};

FILE* open_text(const std::string& text) {
    // fmemopen needs a non-empty buffer; an empty text reads as EOF either way.
    static char empty[1];
    return text.empty() ? fmemopen(empty, 0, "r") : fmemopen((void*)text.data(), text.size(), "r");
}

uint32_t bits(float f) {
    uint32_t u;
    memcpy(&u, &f, 4);
    return u;
}

void expect_float_same(const std::string& text) {
    float theirs[3] = {-7.0f, -7.0f, -7.0f}, ours[3] = {-7.0f, -7.0f, -7.0f};
    FILE* f = open_text(text);
    ASSERT_TRUE(f);
    int r = fscanf(f, "%f %f %f", &theirs[0], &theirs[1], &theirs[2]);
    long consumed = ftell(f);
    fclose(f);
    GlmTextCursor c = text_cursor(text.data(), text.size());
    int mine = text_scan_floats(&c, ours, 3);
    ASSERT_EQ(mine, r) << "text: \"" << text << "\"";
    ASSERT_EQ(c.at - c.begin, consumed) << "text: \"" << text << "\"";
    for (int i = 0; i < 3; ++i) ASSERT_EQ(bits(ours[i]), bits(theirs[i])) << "text: \"" << text << "\" #" << i;
}

void expect_corner_same(const std::string& text, int form) {
    static const char* formats[] = {"%d", "%d/%d", "%d/%d/%d", "%d//%d"};
    int theirs[3] = {-5, -5, -5}, ours[3] = {-5, -5, -5};
    FILE* f = open_text(text);
    ASSERT_TRUE(f);
    int r;
    switch (form) {
        case CORNER_V: r = fscanf(f, "%d", &theirs[0]); break;
        case CORNER_V_T: r = fscanf(f, "%d/%d", &theirs[0], &theirs[1]); break;
        case CORNER_V_T_N: r = fscanf(f, "%d/%d/%d", &theirs[0], &theirs[1], &theirs[2]); break;
        default: r = fscanf(f, "%d//%d", &theirs[0], &theirs[2]); break;
    }
    long consumed = ftell(f);
    fclose(f);
    GlmTextCursor c = text_cursor(text.data(), text.size());
    int mine = text_scan_corner<true>(&c, form, &ours[0], &ours[1], &ours[2]);
    ASSERT_EQ(mine, r) << formats[form] << " text: \"" << text << "\"";
    ASSERT_EQ(c.at - c.begin, consumed) << formats[form] << " text: \"" << text << "\"";
    for (int i = 0; i < 3; ++i) ASSERT_EQ(ours[i], theirs[i]) << formats[form] << " text: \"" << text << "\"";

    // Counting without values consumes the same characters.
    GlmTextCursor count = text_cursor(text.data(), text.size());
    int dummy[3] = {0, 0, 0};
    ASSERT_EQ(text_scan_corner<false>(&count, form, &dummy[0], &dummy[1], &dummy[2]), r);
    ASSERT_EQ(count.at, c.at);
}

void expect_word_same(const std::string& text) {
    char theirs[128] = "unchanged", ours[128] = "unchanged";
    FILE* f = open_text(text);
    ASSERT_TRUE(f);
    int r = fscanf(f, "%127s", theirs);
    long consumed = ftell(f);
    fclose(f);
    GlmTextCursor c = text_cursor(text.data(), text.size());
    bool got = text_word(&c, ours);
    ASSERT_EQ(got, r == 1) << "text: \"" << text << "\"";
    ASSERT_EQ(c.at - c.begin, consumed);
    if (got) {
        ASSERT_EQ(memcmp(ours, theirs, 128 - 1), 0) << "text: \"" << text << "\"";
    }
}

void expect_line_same(const std::string& text) {
    char theirs[128], ours[128];
    FILE* f = open_text(text);
    ASSERT_TRUE(f);
    bool r = fgets(theirs, sizeof theirs, f) != nullptr;
    long consumed = ftell(f);
    fclose(f);
    GlmTextCursor c = text_cursor(text.data(), text.size());
    ASSERT_EQ(text_line(&c, ours), r);
    ASSERT_EQ(c.at - c.begin, consumed) << "text: \"" << text << "\"";
    if (r) {
        ASSERT_STREQ(ours, theirs);
    }
    GlmTextCursor skip = text_cursor(text.data(), text.size());
    text_skip_line(&skip);
    ASSERT_EQ(skip.at, c.at);
}

const char* const kTricky[] = {
    "", " ", "\n\t\v\f\r ", "1", "-1", "+1", "-", "+", "- 1", "--1", "+-1", ".", "-.", ".5", "-.5", "5.",
    "1.5", "1.5.5", "1e", "1e+", "1e-", "1e5", "1E5", "1e+5x", "1e-5", "1ee5", "e5", ".e5", "1.e5",
    "0", "00", "0x", "0X", "0x1", "0x1p3", "0x1P-3", "0x.8", "0x.", "0xg", "0x1.8p", "0xp3", "-0x10",
    "0e5", "0.", "nan", "NaN", "-nan", "+nan", "na", "nax", "n", "nan(1)", "inf", "-inf", "Inf",
    "infinity", "INFINITY", "infin", "infinit", "infx", "infinityx", "inff", "i", "in", "-i",
    "3.4028235e38", "3.4028236e38", "1e39", "-1e39", "1e-38", "1e-45", "1e-46", "1.4e-45", "7e-46",
    "0.000000000000000000000000000000000000000000001", "123456789012345678901234567890",
    "0.1", "0.2", "0.3", "16777217", "16777216.5", "1.00000005960464477539062500000001",
    "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967296", "4294967297",
    "9223372036854775807", "9223372036854775808", "-9223372036854775809", "99999999999999999999999",
    "1/2/3", "1//2", "1/2", "1/", "1//", "1/ 2/3", "1/2/ 3", "1 /2", "1//-2", "-1/-2/-3", "1/x", "1/+",
    "1/2/x", "1/2/", "a", "/1", "1\n2\n3", "1 2 3 4", "1.5 x", "1,5", "v 1 2 3", "\x00 1", "1\x00",
};

const char kTail[] = "\n# a tail long enough for whole chunks";

std::string random_text(std::mt19937& rng) {
    static const char alphabet[] = " \t\n\r0123456789+-.eExXpPnNaAiIfFtTyY/,g";
    std::uniform_int_distribution<int> len(0, 14), pick(0, (int)sizeof alphabet - 2);
    std::string s;
    for (int n = len(rng); n > 0; --n) s += alphabet[pick(rng)];
    return s;
}

std::string random_number(std::mt19937& rng) {
    // Well-formed decimals of many shapes, where rounding is what differs.
    std::uniform_int_distribution<int> digits(1, 22), digit(0, 9), coin(0, 3), expo(-50, 45);
    std::string s;
    if (coin(rng) == 0) s += '-';
    // Sometimes no whole part (".5"), or leading zeros ("007.25").
    int whole = coin(rng) == 0 ? 0 : digits(rng);
    if (coin(rng) == 0) s += "000";
    for (int n = whole; n > 0; --n) s += char('0' + digit(rng));
    if (coin(rng)) {
        s += '.';
        for (int n = digits(rng); n > 0; --n) s += char('0' + digit(rng));
    }
    if (coin(rng) == 0) s += "e" + std::to_string(expo(rng));
    return s;
}

TEST(ReadScan, FloatsMatchTheCLibraryOnTrickyText) {
    for (const char* t : kTricky) {
        expect_float_same(t);
        expect_float_same(std::string(t) + " 2 3");
        expect_float_same(std::string("  ") + t + "\n");
        expect_float_same(t + std::string(kTail));
    }
    expect_float_same(std::string("1\0 2", 4));
}

TEST(ReadScan, FloatsMatchTheCLibraryOnRandomText) {
    std::mt19937 rng(12345);
    for (int i = 0; i < 60000; ++i) expect_float_same(random_text(rng));
    // With a long tail the scanners read eight bytes at a time.
    for (int i = 0; i < 60000; ++i) expect_float_same(random_text(rng) + kTail);
}

TEST(ReadScan, FloatValuesRoundAsTheCLibraryRounds) {
    std::mt19937 rng(777);
    for (int i = 0; i < 60000; ++i) expect_float_same(random_number(rng) + " " + random_number(rng));
    for (int i = 0; i < 60000; ++i) expect_float_same(random_number(rng) + " " + random_number(rng) + kTail);
    // A long run of digits around a rounding midpoint.
    expect_float_same("0." + std::string(300, '0') + "1");
    expect_float_same("1" + std::string(400, '0'));
    expect_float_same("16777217." + std::string(200, '0') + "1");
}

TEST(ReadScan, ShortDecimalsRoundAsTheCLibraryRounds) {
    // Up to 8 digits with a value up to 2^24, the point anywhere: the
    // quotients by powers of ten nearest to float midpoints are where a
    // conversion that rounds twice would differ. Values near 2^k have the
    // finest midpoints; the rest are drawn at random.
    std::mt19937 rng(31);
    std::uniform_int_distribution<int64_t> any(0, 1 << 24), near(-32, 32);
    std::uniform_int_distribution<int> point(0, 7), coin(0, 1);
    for (int i = 0; i < 40000; ++i) {
        int64_t m = i % 2 ? any(rng) : std::clamp<int64_t>((int64_t(1) << (i / 2 % 25)) + near(rng), 0, 1 << 24);
        int part = point(rng);
        std::string digits = std::to_string(m);
        if ((int)digits.size() <= part) digits.insert(0, part + 1 - digits.size(), '0');
        if (digits.size() > 8) continue; // a leading "0." made a ninth digit
        std::string text = (coin(rng) ? "-" : "") + digits.substr(0, digits.size() - part) +
                           (part ? "." + digits.substr(digits.size() - part) : "");
        expect_float_same(text + kTail);
    }
}

TEST(ReadScan, NumberRowsMatchTheCLibraryWhereverTheyFall) {
    // Three numbers as a "v" line holds them, shifted by blanks so that each
    // one starts, ends or has its '.' on every offset near the 32 bytes that
    // are classified at once, with the usual and the unusual ends.
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> pad(0, 34), pick(0, 9), blank(0, 5);
    static const char* const numbers[] = {"0.123456", "-0.987654", "+1.5", "12345678", "123456789", "1.2345678",
                                          "16777217", "0.000001", "-.5", "7."};
    static const char* const ends[] = {" ", "\n", "\t", "\r\n", "e3 ", "x", "/", "  \v"};
    for (int i = 0; i < 30000; ++i) {
        std::string text(pad(rng), ' ');
        for (int k = 0; k < 3; ++k) {
            text += numbers[pick(rng)];
            text += ends[blank(rng) < 4 ? 0 : pick(rng) % 8];
        }
        expect_float_same(text + kTail);
    }
}

TEST(ReadScan, CornersMatchTheCLibrary) {
    std::mt19937 rng(99);
    for (int form = 0; form < 4; ++form) {
        for (const char* t : kTricky) {
            expect_corner_same(t, form);
            expect_corner_same(std::string(t) + " 7/8/9", form);
        }
        for (int i = 0; i < 20000; ++i) expect_corner_same(random_text(rng), form);
        for (int i = 0; i < 20000; ++i) expect_corner_same(random_text(rng) + kTail, form);
        for (const char* t : kTricky) expect_corner_same(std::string(t) + kTail, form);
    }
}

std::string random_corner(std::mt19937& rng) {
    // Mostly well-formed "v/t/n" corners with runs of 0 to 10 digits (7 and
    // 8 digits straddle the one-chunk reading), sometimes signed, blank or
    // broken, often with equal runs.
    static const char* const seps[] = {"/", "/", "/", "/", "//", " /", "/ ", "x"};
    std::uniform_int_distribution<int> len(0, 10), digit(0, 9), coin(0, 7), sep(0, 7);
    std::string run;
    std::string s;
    for (int k = 0; k < 3; ++k) {
        if (k == 0 || coin(rng) < 5) {
            run.clear();
            if (coin(rng) == 0) run += coin(rng) < 4 ? '-' : '+';
            for (int n = len(rng); n > 0; --n) run += char('0' + digit(rng));
        }
        s += run;
        if (k < 2) s += seps[sep(rng)];
    }
    return s;
}

TEST(ReadScan, WellFormedCornersMatchTheCLibrary) {
    std::mt19937 rng(2024);
    for (int i = 0; i < 20000; ++i) {
        std::string corner = random_corner(rng);
        for (int form = 0; form < 4; ++form) {
            expect_corner_same(corner, form);
            expect_corner_same(corner + kTail, form);
            expect_corner_same("  " + corner + " 1/2/3" + kTail, form);
        }
    }
}

TEST(ReadScan, WordsMatchTheCLibrary) {
    std::mt19937 rng(5);
    for (const char* t : kTricky) expect_word_same(t);
    expect_word_same(std::string(127, 'w'));
    expect_word_same(std::string(128, 'w'));
    expect_word_same("  " + std::string(300, 'w') + " x");
    for (int i = 0; i < 5000; ++i) expect_word_same(random_text(rng));
}

TEST(ReadScan, LinesMatchTheCLibrary) {
    for (const char* t : kTricky) expect_line_same(t);
    for (size_t n : {0, 1, 125, 126, 127, 128, 129, 300}) {
        expect_line_same(std::string(n, 'c'));
        expect_line_same(std::string(n, 'c') + "\nnext\n");
    }
}

TEST(ReadScan, CarriageReturnBeforeLineFeedIsPartOfTheLineEnd) {
    char buf[128];
    std::string text = " wing\r\nf 1";
    GlmTextCursor c = text_cursor(text.data(), text.size());
    ASSERT_TRUE(text_line(&c, buf));
    EXPECT_STREQ(buf, " wing\n");
    EXPECT_EQ(*c.at, 'f');

    // 126 characters, then CR LF: still one line of 127 characters.
    text = std::string(126, 'c') + "\r\nx";
    c = text_cursor(text.data(), text.size());
    ASSERT_TRUE(text_line(&c, buf));
    EXPECT_EQ(strlen(buf), 127u);
    EXPECT_EQ(buf[126], '\n');
    EXPECT_EQ(*c.at, 'x');

    // 127 characters before CR LF: the line end is read as the next line.
    text = std::string(127, 'c') + "\r\nx";
    c = text_cursor(text.data(), text.size());
    ASSERT_TRUE(text_line(&c, buf));
    EXPECT_EQ(strlen(buf), 127u);
    ASSERT_TRUE(text_line(&c, buf));
    EXPECT_STREQ(buf, "\n");

    // A lone carriage return is an ordinary character of the line.
    text = "a\rb\n";
    c = text_cursor(text.data(), text.size());
    ASSERT_TRUE(text_line(&c, buf));
    EXPECT_STREQ(buf, "a\rb\n");
}

}  // namespace
