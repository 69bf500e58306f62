/* text_cursor.h: reading words, lines and numbers from bytes in memory the
 * way the C library reads them from a text stream.
 *
 * A GlmTextCursor (declared in include2.h) walks [begin, end) and never reads
 * outside it. The readers here consume exactly the characters that glibc's
 * fscanf/fgets consume on the same text, including the characters that a
 * failed numeric conversion swallows (glibc pushes back only the one character
 * at which it stopped). A carriage return directly before a line feed reads as
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

#include <charconv>

#include "model/include2.h"

constexpr size_t TEXT_WORD_MAX = 127; /* a word or line read fills at most 127 chars + NUL */

static inline bool text_is_space(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
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
static inline bool text_skip_space(GlmTextCursor* c) {
    const char* p = c->at;
    while (p < c->end && text_is_space((unsigned char)*p)) ++p;
    c->at = p;
    return p < c->end;
}

/* fscanf "%127s": the next blank-delimited word, at most 127 characters
 * (a longer word's remainder is the next word). False at the end of the text. */
static inline bool text_word(GlmTextCursor* c, char buf[TEXT_WORD_MAX + 1]) {
    if (!text_skip_space(c)) return false;
    const char* p = c->at;
    const char* stop = (size_t)(c->end - p) > TEXT_WORD_MAX ? p + TEXT_WORD_MAX : c->end;
    size_t n = 0;
    while (p < stop && !text_is_space((unsigned char)*p)) buf[n++] = *p++;
    buf[n] = '\0';
    c->at = p;
    return true;
}

/* Length in bytes of what fgets(buf, 128, f) takes from here: up to and
 * including the line end, at most 127 characters, CR LF counting as one. */
static inline size_t text_line_length(const GlmTextCursor* c) {
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
static inline void text_skip_line(GlmTextCursor* c) {
    if (c->at != c->end) c->at += text_line_length(c);
}

/* Number of line ends before the cursor, plus one: the current line number.
 * Only error reports need it. */
static inline unsigned long text_line_number(const GlmTextCursor* c) {
    unsigned long n = 1;
    for (const char* p = c->begin; p < c->at; ++p) n += (*p == '\n');
    return n;
}

/* fscanf "%d": strtol's value (clamped to long) truncated to int, as glibc
 * stores it. A sign with no digit after it is consumed and converts nothing.
 * With Store false the value is not computed (counting only). */
template <bool Store>
static inline int text_scan_int(GlmTextCursor* c, int* out) {
    if (!text_skip_space(c)) return -1;
    const char* p = c->at;
    const char* e = c->end;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    const char* digits = p;
    if (!Store) {
        while (p < e && text_is_digit((unsigned char)*p)) ++p;
        c->at = p;
        return p != digits;
    }
    const uint64_t limit = negative ? (uint64_t)INT64_MAX + 1 : (uint64_t)INT64_MAX;
    uint64_t value = 0;
    bool clamped = false;
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

/* fscanf "%f", character for character as glibc collects a number: sign,
 * "nan", "inf"/"infinity", "0x" hexadecimal, digits, one '.', an exponent
 * with its sign. The character that ends the number stays; everything
 * before it is consumed even when the conversion then fails ("-", ".",
 * "0x", "na?"), and "1e" converts as 1 with the 'e' consumed. */
static inline int text_scan_float(GlmTextCursor* c, float* out) {
    if (!text_skip_space(c)) return -1;
    const char* s = c->at;
    const char* p = s;
    const char* e = c->end;
    bool got_sign = false;
    if (*p == '-' || *p == '+') {
        got_sign = true;
        if (++p == e) { c->at = p; return 0; }
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

/* fscanf "%f %f ... %f" with count conversions into out[0..count). */
static inline int text_scan_floats(GlmTextCursor* c, float* out, int count) {
    for (int i = 0; i < count; ++i) {
        int r = text_scan_float(c, out + i);
        if (r <= 0) return (r < 0 && i == 0) ? -1 : i;
    }
    return count;
}

/* Face corner formats. */
enum GlmCornerForm { CORNER_V = 0, CORNER_V_T = 1, CORNER_V_T_N = 2, CORNER_V__N = 3 };

/* A literal character of a scanf format: consumed when it matches, left
 * when it does not; -1 at the end of the text. */
static inline int text_literal(GlmTextCursor* c, char want) {
    if (c->at == c->end) return -1;
    if (*c->at != want) return 0;
    ++c->at;
    return 1;
}

/* fscanf with "%d", "%d/%d", "%d/%d/%d" or "%d//%d" into v, t, n (values
 * not converted keep what they held). */
template <bool Store>
static inline int text_scan_corner(GlmTextCursor* c, int form, int* v, int* t, int* n) {
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
