/* read_obj_lines.h: what both OBJ passes read the same way: names taken
 * from the rest of a line, a word's first characters, and a face's corner
 * form from its first corner word. */
#ifndef QO_MODEL_READ_OBJ_LINES_H
#define QO_MODEL_READ_OBJ_LINES_H

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"
#include "model/read_support.h"
#include "model/text_cursor.h"

/* "mtllib"/"usemtl": the rest of the line, and in it the first word. */
static inline void take_word_name(GlmTextCursor* text, char name[TEXT_WORD_MAX + 1]) {
    char line[TEXT_WORD_MAX + 1];
    if (!text_line(text, line)) line[0] = '\0';
    const char* p = line;
    while (*p && text_is_space((unsigned char)*p)) ++p;
    size_t n = 0;
    while (p[n] && !text_is_space((unsigned char)p[n])) name[n] = p[n], ++n;
    name[n] = '\0';
}

/* "g": the whole rest of the line, blanks after the keyword included, less
 * its last character (the line end). */
static inline void take_group_name(GlmTextCursor* text, char name[TEXT_WORD_MAX + 1]) {
    if (!text_line(text, name)) name[0] = '\0';
    size_t n = strlen(name);
    if (n > 0) name[n - 1] = '\0';
}

/* The corner form of a face, decided by its first corner word as sscanf
 * would see it (up to a NUL), with that corner's values as sscanf leaves
 * them in v, t and n (Store false: the form only). */
template <bool Store>
static inline int face_form(const char* word, size_t length, int* v, int* t, int* n) {
    bool double_slash;
    length = text_span_string(word, length, &double_slash);
    GlmTextCursor w = text_cursor(word, length);
    if (double_slash) {
        text_scan_corner<Store>(&w, CORNER_V__N, v, t, n);
        return CORNER_V__N;
    }
    if (text_scan_corner<Store>(&w, CORNER_V_T_N, v, t, n) == 3) return CORNER_V_T_N;
    w.at = w.begin;
    if (text_scan_corner<Store>(&w, CORNER_V_T, v, t, n) == 2) return CORNER_V_T;
    w.at = w.begin;
    text_scan_corner<Store>(&w, CORNER_V, v, t, n);
    return CORNER_V;
}

/* Reads a face's first corner word and decides the form (face_form).
 * Usually the word is a complete "%d/%d/%d" corner: then one scan over the
 * text reads it in place; a word that a scan consumes whole holds neither
 * NUL nor "//". Otherwise the word is read as a span and judged by
 * face_form. At the end of the text the word is the keyword itself. */
template <bool Store>
static inline int face_first_corner(GlmTextCursor* text, const char* keyword, size_t keyword_length, int* v,
                                    int* t, int* n) {
    if (text_skip_space(text)) {
        const char* p = text->at;
        GlmTextCursor w = {p, p, (size_t)(text->end - p) > TEXT_WORD_MAX ? p + TEXT_WORD_MAX : text->end};
        int a = *v, b = *t, c = *n;
        if (text_scan_corner<Store>(&w, CORNER_V_T_N, &a, &b, &c) == 3 &&
            (w.at == w.end || text_is_space((unsigned char)*w.at))) {
            text->at = w.at;
            *v = a, *t = b, *n = c;
            return CORNER_V_T_N;
        }
    }
    const char* word = keyword;
    size_t length = keyword_length;
    text_word_span(text, &word, &length);
    return face_form<Store>(word, length, v, t, n);
}

/* Fills a face's next fan triangle: the face's first corner, then the last
 * corner of the triangle before it (the face's second corner for its first
 * triangle), then `corner`; each index kind as given. */
static inline void fan_triangle(ModelTriangle* tri, bool first, const int c0[3], const int c1[3], const int corner[3]) {
    const ModelTriangle* prev = first ? nullptr : tri - 1;
    for (int k = 0; k < 3; k++) {
        GLint* kind = k == 0 ? tri->vert : k == 1 ? tri->tex : tri->norm;
        const GLint* was = first ? nullptr : k == 0 ? prev->vert : k == 1 ? prev->tex : prev->norm;
        kind[0] = first ? c0[k] : was[0];
        kind[1] = first ? c1[k] : was[2];
        kind[2] = corner[k];
    }
    tri->facet = 0;
}

/* A word span's first two characters as a word buffer holds them. */
static inline void word_head(const char* word, size_t length, unsigned char* first, unsigned char* second) {
    *first = length > 0 ? (unsigned char)word[0] : 0;
    *second = (length > 1 && *first) ? (unsigned char)word[1] : 0;
}

static inline GLboolean unknown_token(GlmReadFailure* failure, const char* word, size_t length) {
    char buf[TEXT_WORD_MAX + 1];
    memcpy(buf, word, length);
    buf[length] = '\0';
    return glm_fail(failure, 1, "glmFirstPass(): Unknown token \"%s\".\n", buf);
}

#endif
