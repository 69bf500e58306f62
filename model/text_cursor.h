/* text_cursor.h: reading words, lines and numbers from bytes in memory the
 * way the C library reads them from a text stream.
 *
 * A GlmTextCursor walks [begin, end) and never reads outside it. The
 * readers here consume exactly the characters that glibc's fscanf/fgets
 * consume on the same text, including the characters that a failed numeric
 * conversion swallows (glibc pushes back only the one character at which it
 * stopped). A carriage return directly before a line feed reads as
 * part of the line end, as on a stream opened in text mode: it only matters to
 * text_line/text_skip_line (everywhere else both are blanks).
 *
 * Return values of the scanners follow fscanf: the number of values converted,
 * or -1 (EOF) when the input ended before anything could be converted.
 */
#ifndef QO_MODEL_TEXT_CURSOR_H
#define QO_MODEL_TEXT_CURSOR_H

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <charconv>
#include <initializer_list>

#include "model/include2.h"

/* A bounded cursor over a file's bytes: begin <= at <= end, never read past end. */
struct GlmTextCursor {
    const char* begin;
    const char* at;
    const char* end;
};

/* The scanners run once per number of a large file: keep them inline. */
#define TEXT_INLINE static inline __attribute__((always_inline))

constexpr size_t TEXT_WORD_MAX = 127; /* a word or line read fills at most 127 chars + NUL */

/* Character classes of the C locale: blanks (isspace), '/', NUL. */
enum { TEXT_SPACE = 1, TEXT_SLASH = 2, TEXT_NUL = 4 };
struct TextClasses {
    unsigned char of[256];
};
static constexpr TextClasses text_make_classes() {
    TextClasses t{};
    for (unsigned char c : {' ', '\t', '\n', '\v', '\f', '\r'}) t.of[c] = TEXT_SPACE;
    t.of[(unsigned char)'/'] = TEXT_SLASH;
    t.of[0] = TEXT_NUL;
    return t;
}
static constexpr TextClasses text_classes = text_make_classes();

static inline bool text_is_space(unsigned char c) { return text_classes.of[c] == TEXT_SPACE; }
static inline bool text_is_digit(unsigned char c) { return (unsigned)(c - '0') < 10u; }
static inline unsigned char text_lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
static inline bool text_is_xdigit(unsigned char c) {
    return text_is_digit(c) || (unsigned)(text_lower(c) - 'a') < 6u;
}

static inline GlmTextCursor text_cursor(const char* data, size_t size) {
    GlmTextCursor c = {data, data, data + size};
    return c;
}

/* Skips blanks and line ends; false at the end of the text. */
TEXT_INLINE bool text_skip_space(GlmTextCursor* c) {
    const char* p = c->at;
    /* Bytes above ' ' are never blanks. The usual cases first: no blank, or
     * one (a space, a line end), before such a byte. */
    if (c->end - p >= 2) {
        if ((unsigned char)p[0] > ' ') return true;
        if ((unsigned char)p[1] > ' ' && text_is_space((unsigned char)p[0])) {
            c->at = p + 1;
            return true;
        }
    }
    while (p < c->end && text_is_space((unsigned char)*p)) ++p;
    c->at = p;
    return p < c->end;
}

/* fscanf "%127s": the next blank-delimited word, at most 127 characters
 * (a longer word's remainder is the next word). False at the end of the text. */
TEXT_INLINE bool text_word(GlmTextCursor* c, char buf[TEXT_WORD_MAX + 1]) {
    if (!text_skip_space(c)) return false;
    const char* p = c->at;
    const char* stop = (size_t)(c->end - p) > TEXT_WORD_MAX ? p + TEXT_WORD_MAX : c->end;
    size_t n = 0;
    while (p < stop && !text_is_space((unsigned char)*p)) buf[n++] = *p++;
    buf[n] = '\0';
    c->at = p;
    return true;
}

/* The next word as text_word would read it, without copying it: its first
 * byte and its length (at most 127). False at the end of the text. */
TEXT_INLINE bool text_word_span(GlmTextCursor* c, const char** start, size_t* length) {
    if (!text_skip_space(c)) return false;
    const char* p = c->at;
    const char* stop = (size_t)(c->end - p) > TEXT_WORD_MAX ? p + TEXT_WORD_MAX : c->end;
    const char* q = p;
    while (q < stop && !text_is_space((unsigned char)*q)) ++q;
    *start = p;
    *length = (size_t)(q - p);
    c->at = q;
    return true;
}

/* A word span as the C string a word buffer would hold: cut at its first
 * NUL. Also tells whether that string contains "//". */
TEXT_INLINE size_t text_span_string(const char* start, size_t length, bool* double_slash) {
    bool slash = false, twice = false;
    size_t i = 0;
    for (; i < length; ++i) {
        unsigned char k = text_classes.of[(unsigned char)start[i]];
        if (k == TEXT_NUL) break;
        twice |= slash && k == TEXT_SLASH;
        slash = k == TEXT_SLASH;
    }
    *double_slash = twice;
    return i;
}

/* Length in bytes of what fgets(buf, 128, f) takes from here: up to and
 * including the line end, at most 127 characters, CR LF counting as one. */
TEXT_INLINE size_t text_line_length(const GlmTextCursor* c) {
    size_t avail = (size_t)(c->end - c->at);
    size_t look = avail < TEXT_WORD_MAX + 1 ? avail : TEXT_WORD_MAX + 1;
    const char* nl = (const char*)memchr(c->at, '\n', look);
    if (nl) {
        size_t raw = (size_t)(nl - c->at) + 1;
        size_t chars = raw - (raw >= 2 && nl[-1] == '\r');
        if (chars <= TEXT_WORD_MAX) return raw;
    }
    return avail < TEXT_WORD_MAX ? avail : TEXT_WORD_MAX;
}

/* fgets(buf, 128, f): the rest of the line with its line end ("\n" for
 * "\r\n"), or its first 127 characters. False (buf untouched) at the end. */
static inline bool text_line(GlmTextCursor* c, char buf[TEXT_WORD_MAX + 1]) {
    if (c->at == c->end) return false;
    size_t n = text_line_length(c);
    memcpy(buf, c->at, n);
    c->at += n;
    if (n >= 2 && buf[n - 1] == '\n' && buf[n - 2] == '\r') {
        buf[n - 2] = '\n';
        n -= 1;
    }
    buf[n] = '\0';
    return true;
}

/* Reads the rest of the line as text_line does and discards it. */
TEXT_INLINE void text_skip_line(GlmTextCursor* c) {
    if (c->at != c->end) c->at += text_line_length(c);
}

/* Number of line ends before the cursor, plus one: the current line number.
 * Only error reports need it. */
static inline unsigned long text_line_number(const GlmTextCursor* c) {
    unsigned long n = 1;
    for (const char* p = c->begin; p < c->at; ++p) n += (*p == '\n');
    return n;
}

/* Eight bytes at a time (the caller checks that 8 bytes are readable):
 * how many leading bytes are decimal digits, 0 to 8. A byte b is a digit
 * when neither b - '0' nor b + 0x46 sets its top bit. A borrow or carry out
 * of a byte can only come from a non-digit, and only disturbs the bytes
 * after it. */
TEXT_INLINE unsigned text_digit_run8(const char* p, uint64_t* chunk) {
    memcpy(chunk, p, 8);
    uint64_t t = ((*chunk - 0x3030303030303030ull) | (*chunk + 0x4646464646464646ull)) & 0x8080808080808080ull;
    return t ? (unsigned)__builtin_ctzll(t) >> 3 : 8;
}

/* The value of the first n (1 to 8) digits of a chunk: shifted so that the
 * bytes after them drop out and leading zeros come in, then combined
 * pairwise (2, 4, 8 digits) with three multiplications. */
TEXT_INLINE uint32_t text_digits_value(uint64_t chunk, unsigned n) {
    uint64_t v = (chunk - 0x3030303030303030ull) << (8 * (8 - n));
    v = v * 10 + (v >> 8);
    v = (((v & 0x000000FF000000FFull) * 0x000F424000000064ull) +
         (((v >> 16) & 0x000000FF000000FFull) * 0x0000271000000001ull)) >> 32;
    return (uint32_t)v;
}

/* fscanf "%d": strtol's value (clamped to long) truncated to int, as glibc
 * stores it. A sign with no digit after it is consumed and converts nothing.
 * With Store false the value is not computed (counting only). */
template <bool Store>
TEXT_INLINE int text_scan_int(GlmTextCursor* c, int* out) {
    if (!text_skip_space(c)) return -1;
    const char* p = c->at;
    const char* e = c->end;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    const char* digits = p;
    if (e - p >= 8) { /* the usual index: fewer than 8 digits, one chunk */
        uint64_t chunk;
        unsigned n = text_digit_run8(p, &chunk);
        if (n < 8) {
            c->at = p + n;
            if (n == 0) return 0;
            if (Store) *out = negative ? (int)(0u - text_digits_value(chunk, n)) : (int)text_digits_value(chunk, n);
            return 1;
        }
    }
    if (!Store) {
        while (p < e && text_is_digit((unsigned char)*p)) ++p;
        c->at = p;
        return p != digits;
    }
    const uint64_t limit = negative ? (uint64_t)INT64_MAX + 1 : (uint64_t)INT64_MAX;
    uint64_t value = 0;
    bool clamped = false;
    /* 18 digits cannot overflow; only longer numbers need the check. */
    const char* fast_end = (e - p) > 18 ? p + 18 : e;
    while (p < fast_end && text_is_digit((unsigned char)*p)) value = value * 10 + (unsigned)(*p++ - '0');
    while (p < e && text_is_digit((unsigned char)*p)) {
        unsigned d = (unsigned)(*p++ - '0');
        if (value > (limit - d) / 10) clamped = true;
        else value = value * 10 + d;
    }
    c->at = p;
    if (p == digits) return 0;
    if (clamped) value = limit;
    if (negative) value = 0 - value;
    *out = (int)(uint32_t)value; /* long to int keeps the low 32 bits */
    return 1;
}

/* Converts the characters that %f collected, as strtof does; false when no
 * prefix of them is a number. */
static inline bool text_convert_float(const char* s, const char* e, bool hex, float* out) {
    if (!hex) {
        const char* from = (*s == '+') ? s + 1 : s;
        std::from_chars_result r = std::from_chars(from, e, *out, std::chars_format::general);
        if (r.ec == std::errc()) return true;
        if (r.ec == std::errc::invalid_argument) return false;
        /* out of range: strtof's infinity or underflowed value below */
    }
    size_t n = (size_t)(e - s);
    char small[64];
    char* copy = n < sizeof small ? small : (char*)malloc(n + 1);
    if (!copy) return false;
    memcpy(copy, s, n);
    copy[n] = '\0';
    char* stop;
    float value = strtof(copy, &stop);
    bool ok = stop != copy;
    if (ok) *out = value;
    if (copy != small) free(copy);
    return ok;
}

/* Matches the rest of a case-insensitive word (after its first character);
 * a mismatching character is consumed, as glibc consumes it. */
static inline bool text_match_rest(const char** p, const char* e, const char* rest) {
    for (; *rest; ++rest) {
        if (*p == e) return false;
        if (text_lower((unsigned char)*(*p)++) != (unsigned char)*rest) return false;
    }
    return true;
}

/* value, negated when negative, without a branch. */
TEXT_INLINE float text_signed(float value, bool negative) {
    uint32_t bits;
    memcpy(&bits, &value, 4);
    bits ^= (uint32_t)negative << 31;
    memcpy(&value, &bits, 4);
    return value;
}

/* m / 10^part (m <= 2^24, part <= 7) rounded to float as strtof rounds it,
 * negated when negative. By a multiplication: the double product is within
 * 2^-52 of the quotient (relative), while such a quotient is never an exact
 * float midpoint and never nearer than 2^-48 to one (|m * 2^j - M * 10^part|
 * >= 1 for a 25-bit midpoint M / 2^j), so rounding the product to float
 * rounds the quotient. */
TEXT_INLINE float text_decimal(uint32_t m, unsigned part, bool negative) {
    static const double inverse[8] = {1e0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7};
    return text_signed((float)((double)m * inverse[part]), negative);
}

/* fscanf "%f", character for character as glibc collects a number: sign,
 * "nan", "inf"/"infinity", "0x" hexadecimal, digits, one '.', an exponent
 * with its sign. The character that ends the number stays; everything
 * before it is consumed even when the conversion then fails ("-", ".",
 * "0x", "na?"), and "1e" converts as 1 with the 'e' consumed. */
TEXT_INLINE int text_scan_float(GlmTextCursor* c, float* out) {
    if (!text_skip_space(c)) return -1;
    const char* s = c->at;
    const char* p = s;
    const char* e = c->end;
    /* Signs come in no foreseeable order: taken without a branch. */
    const bool got_sign = (*p == '-') | (*p == '+');
    p += got_sign;
    if (p == e) { c->at = p; return 0; } /* only after a sign: s < e */
    /* Fast path: up to 8 digits in all, an optional '.' among them, not
     * followed by an exponent, with at most 2^24 as the digits' value: the
     * value is that divided by a power of ten, rounded once as strtof rounds
     * it (below). Other plain decimals go to from_chars; everything else to
     * the general scan. */
    if (e - p >= 17 && !(*p == '0' && text_lower((unsigned char)p[1]) == 'x')) {
        /* Whole number within 17 bytes: integer and fraction digits by chunks. */
        uint64_t head, tail = 0;
        unsigned whole = text_digit_run8(p, &head), part = 0;
        const char* q = p + whole;
        if (whole < 8 && *q == '.') {
            part = text_digit_run8(q + 1, &tail);
            q += 1 + part;
        }
        const unsigned digits = whole + part;
        /* Runs shorter than 8 ended inside their chunks; 1 to 8 digits in all. */
        if (whole < 8 && part < 8 && digits - 1 < 8u && text_lower((unsigned char)*q) != 'e') {
            /* The digits without the '.', as one chunk: the whole part's
             * bytes, then the fraction's (bytes past `digits` drop out). */
            const uint64_t joined = (head & ((1ull << (8 * whole)) - 1)) | (tail << (8 * whole));
            const uint32_t m = text_digits_value(joined, digits);
            if (m <= (1u << 24)) {
                *out = text_decimal(m, part, *s == '-');
                c->at = q;
                return 1;
            }
        }
    }
    unsigned char first = text_lower((unsigned char)*p);
    if (first == 'n' || first == 'i') {
        ++p;
        bool ok;
        if (first == 'n') {
            ok = text_match_rest(&p, e, "an");
        } else {
            ok = text_match_rest(&p, e, "nf");
            if (ok && p < e && text_lower((unsigned char)*p) == 'i') {
                ++p;
                ok = text_match_rest(&p, e, "nity");
            }
        }
        c->at = p;
        if (!ok) return 0;
        return text_convert_float(s, p, true, out) ? 1 : 0;
    }
    if (text_is_digit((unsigned char)*p) || *p == '.') {
        const char* q = p;
        uint64_t m = 0;
        int digits = 0, fraction = 0;
        if (!(*q == '0' && q + 1 < e && text_lower((unsigned char)q[1]) == 'x')) {
            for (; q < e && text_is_digit((unsigned char)*q); ++q, ++digits) m = m * 10 + (unsigned)(*q - '0');
            if (q < e && *q == '.') {
                for (++q; q < e && text_is_digit((unsigned char)*q); ++q, ++digits, ++fraction)
                    m = m * 10 + (unsigned)(*q - '0');
            }
            if (digits > 0 && (q == e || text_lower((unsigned char)*q) != 'e')) {
                static const float powers[11] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
                c->at = q;
                if (digits <= 19 && m <= (1u << 24) && fraction <= 10) {
                    float value = (float)m / powers[fraction];
                    *out = (*s == '-') ? -value : value;
                    return 1;
                }
                return text_convert_float(s, q, false, out) ? 1 : 0;
            }
        }
    }
    bool hex = false, got_digit = false, got_dot = false, got_e = false;
    unsigned char exp_char = 'e';
    if (*p == '0') {
        ++p;
        if (p < e && text_lower((unsigned char)*p) == 'x') {
            hex = true;
            exp_char = 'p';
            ++p;
        } else {
            got_digit = true;
        }
    }
    for (; p < e; ++p) {
        unsigned char ch = (unsigned char)*p;
        if (text_is_digit(ch) || (hex && !got_e && text_is_xdigit(ch))) {
            got_digit = true;
        } else if (got_e && text_lower((unsigned char)p[-1]) == exp_char && (ch == '-' || ch == '+')) {
        } else if (got_digit && !got_e && text_lower(ch) == exp_char) {
            got_e = got_dot = true;
        } else if (ch == '.' && !got_dot) {
            got_dot = true;
        } else {
            break;
        }
    }
    c->at = p;
    size_t size = (size_t)(p - s);
    if (size == (size_t)got_sign || (hex && size == 2u + got_sign)) return 0;
    return text_convert_float(s, p, hex, out) ? 1 : 0;
}

#if defined(__SSE2__)
/* Byte classes of 32 bytes as bit masks, bit i for p[i]: decimal digits,
 * blanks (C-locale isspace), '.', signs, '-'. */
struct TextMasks32 {
    uint64_t digit, blank, dot, sign, minus;
};
TEXT_INLINE TextMasks32 text_masks32(const char* p) {
    TextMasks32 m = {0, 0, 0, 0, 0};
    for (int i = 0; i < 2; ++i) {
        const __m128i b = _mm_loadu_si128((const __m128i*)(p + 16 * i));
        const __m128i d = _mm_sub_epi8(b, _mm_set1_epi8('0'));  /* digits: 0..9 */
        const __m128i w = _mm_sub_epi8(b, _mm_set1_epi8('\t')); /* '\t'..'\r': 0..4 */
        const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d);
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(w, _mm_set1_epi8(4)), w),
                                           _mm_cmpeq_epi8(b, _mm_set1_epi8(' ')));
        const __m128i minus = _mm_cmpeq_epi8(b, _mm_set1_epi8('-'));
        const __m128i sign = _mm_or_si128(minus, _mm_cmpeq_epi8(b, _mm_set1_epi8('+')));
        const int shift = 16 * i;
        m.digit |= (uint64_t)(uint16_t)_mm_movemask_epi8(digit) << shift;
        m.blank |= (uint64_t)(uint16_t)_mm_movemask_epi8(blank) << shift;
        m.dot |= (uint64_t)(uint16_t)_mm_movemask_epi8(_mm_cmpeq_epi8(b, _mm_set1_epi8('.'))) << shift;
        m.sign |= (uint64_t)(uint16_t)_mm_movemask_epi8(sign) << shift;
        m.minus |= (uint64_t)(uint16_t)_mm_movemask_epi8(minus) << shift;
    }
    return m;
}

/* Length of the run of set bits of mask from bit `at` on (at < 32; bits 32
 * and up are clear, so a run ends by bit 32). */
TEXT_INLINE unsigned text_run32(uint64_t mask, unsigned at) { return (unsigned)__builtin_ctzll(~(mask >> at)); }

/* The first of count "%f" conversions when they are short decimals (the
 * fast path of text_scan_float: a sign, up to 8 digits with an optional '.'
 * among them, value at most 2^24) each ended by a blank, all within the 32
 * bytes from the cursor; 40 bytes must be readable (each digit run's chunk).
 * Their ends come from masks of those bytes, so finding them waits on no
 * load per number. Returns how many it converted, the cursor after the last
 * of them; the caller scans the rest, if any, the general way. */
TEXT_INLINE int text_short_floats(GlmTextCursor* c, float* out, int count) {
    const char* p = c->at;
    const TextMasks32 m = text_masks32(p);
    unsigned at = 0; /* offset of the cursor */
    int i = 0;
    for (; i < count; ++i) {
        const unsigned s = at + text_run32(m.blank, at); /* after the blanks */
        if (s >= 32) break;
        const unsigned whole_at = s + (unsigned)((m.sign >> s) & 1);
        if (whole_at >= 32) break;
        const unsigned whole = text_run32(m.digit, whole_at);
        unsigned q = whole_at + whole, part = 0;
        if (q >= 32) break;
        const bool dot = (m.dot >> q) & 1;
        if (dot) {
            if (q + 1 >= 32) break;
            part = text_run32(m.digit, q + 1);
            q += 1 + part;
            if (q >= 32) break;
        }
        const unsigned digits = whole + part;
        /* A blank ends the number (no exponent, no "0x"); 1 to 8 digits. */
        if (!((m.blank >> q) & 1) || whole >= 8 || part >= 8 || digits - 1 >= 8u) break;
        uint64_t head, tail = 0;
        memcpy(&head, p + whole_at, 8);
        if (dot) memcpy(&tail, p + whole_at + whole + 1, 8);
        const uint64_t joined = (head & ((1ull << (8 * whole)) - 1)) | (tail << (8 * whole));
        const uint32_t value = text_digits_value(joined, digits);
        if (value > (1u << 24)) break;
        out[i] = text_decimal(value, part, (m.minus >> s) & 1);
        at = q;
    }
    c->at = p + at;
    return i;
}
#endif

/* fscanf "%f %f ... %f" with count conversions into out[0..count). */
TEXT_INLINE int text_scan_floats(GlmTextCursor* c, float* out, int count) {
    int i = 0;
#if defined(__SSE2__)
    if (c->end - c->at >= 40) i = text_short_floats(c, out, count);
#endif
    for (; i < count; ++i) {
        int r = text_scan_float(c, out + i);
        if (r <= 0) return (r < 0 && i == 0) ? -1 : i;
    }
    return count;
}

/* Face corner formats. */
enum GlmCornerForm { CORNER_V = 0, CORNER_V_T = 1, CORNER_V_T_N = 2, CORNER_V__N = 3 };

/* A literal character of a scanf format: consumed when it matches, left
 * when it does not; -1 at the end of the text. */
TEXT_INLINE int text_literal(GlmTextCursor* c, char want) {
    if (c->at == c->end) return -1;
    if (*c->at != want) return 0;
    ++c->at;
    return 1;
}

/* The usual "%d/%d/%d" corner: three runs of 1 to 7 digits joined by single
 * slashes, no sign, no blank. Reads it in one go (three chunks) and returns
 * true, or returns false having consumed nothing. The cursor is past the
 * corner's leading blanks and 24 bytes are readable (7 + 1 + 7 + 1 + 8). */
template <bool Store>
TEXT_INLINE bool text_plain_corner(GlmTextCursor* c, int* v, int* t, int* n) {
    const char* p = c->at;
    uint64_t a, b, d;
    unsigned na = text_digit_run8(p, &a);
    if (na - 1 >= 7u || p[na] != '/') return false; /* na - 1 wraps for na == 0 */
    p += na + 1;
    unsigned nb = text_digit_run8(p, &b);
    if (nb - 1 >= 7u || p[nb] != '/') return false;
    p += nb + 1;
    unsigned nd = text_digit_run8(p, &d);
    if (nd - 1 >= 7u) return false;
    c->at = p + nd; /* the byte there is no digit (nd < 8): %d stops at it */
    if (Store) {
        *v = (int)text_digits_value(a, na);
        /* Equal digit runs (the common "k/k/k") have equal values. */
        const uint64_t mask_a = (1ull << (8 * na)) - 1, mask_b = (1ull << (8 * nb)) - 1;
        *t = (na == nb && ((a ^ b) & mask_a) == 0) ? *v : (int)text_digits_value(b, nb);
        *n = (nb == nd && ((b ^ d) & mask_b) == 0) ? *t : (int)text_digits_value(d, nd);
    }
    return true;
}

/* fscanf with "%d", "%d/%d", "%d/%d/%d" or "%d//%d" into v, t, n (values
 * not converted keep what they held). */
template <bool Store>
TEXT_INLINE int text_scan_corner(GlmTextCursor* c, int form, int* v, int* t, int* n) {
    if (form == CORNER_V_T_N && text_skip_space(c) && c->end - c->at >= 24 && text_plain_corner<Store>(c, v, t, n))
        return 3;
    int r = text_scan_int<Store>(c, v);
    if (r <= 0 || form == CORNER_V) return r;
    if (text_literal(c, '/') <= 0) return 1;
    if (form == CORNER_V__N) {
        if (text_literal(c, '/') <= 0) return 1;
        return text_scan_int<Store>(c, n) > 0 ? 2 : 1;
    }
    if (text_scan_int<Store>(c, t) <= 0) return 1;
    if (form == CORNER_V_T) return 2;
    if (text_literal(c, '/') <= 0) return 2;
    return text_scan_int<Store>(c, n) > 0 ? 3 : 2;
}

#endif
