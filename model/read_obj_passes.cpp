// The two passes over an OBJ text: the first counts and creates the groups and
// reads the material library, the second fills the arrays sized from those
// counts. Faces are split into fans around their first corner.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"
#include "model/read_support.h"
#include "model/text_cursor.h"

/* "mtllib"/"usemtl": the rest of the line, and in it the first word. */
static void take_word_name(GlmTextCursor* text, char name[TEXT_WORD_MAX + 1]) {
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
static void take_group_name(GlmTextCursor* text, char name[TEXT_WORD_MAX + 1]) {
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

/* A word span's first two characters as a word buffer holds them. */
static inline void word_head(const char* word, size_t length, unsigned char* first, unsigned char* second) {
    *first = length > 0 ? (unsigned char)word[0] : 0;
    *second = (length > 1 && *first) ? (unsigned char)word[1] : 0;
}

static GLboolean unknown_token(GlmReadFailure* failure, const char* word, size_t length) {
    char buf[TEXT_WORD_MAX + 1];
    memcpy(buf, word, length);
    buf[length] = '\0';
    return glm_fail(failure, 1, "glmFirstPass(): Unknown token \"%s\".\n", buf);
}

GLboolean glmFirstPass(_GLMmodel* model, GlmObjReader* reader) {
    GlmTextCursor* text = &reader->text;
    GlmReadFailure* failure = reader->failure;
    ModelGroup* group = glmAddGroup(model, "default");
    if (!group) return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
    uint64_t nvertices = 0, nnormals = 0, ntexcoords = 0, ntriangles = 0;
    const char* word;
    size_t length;
    unsigned char first, second;

    while (text_word_span(text, &word, &length)) {
        word_head(word, length, &first, &second);
        switch (first) {
            case 'v':
                if (second == '\0') nvertices++;
                else if (second == 'n') nnormals++;
                else if (second == 't') ntexcoords++;
                else return unknown_token(failure, word, length);
                text_skip_line(text);
                break;
            case 'm': {
                char name[TEXT_WORD_MAX + 1];
                take_word_name(text, name);
                free(model->mtllib);
                model->mtllib = strdup(name);
                if (!model->mtllib) return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
                if (!glmReadMTLFrom(model, name, reader->library, reader->library_context, failure)) return GL_FALSE;
                break;
            }
            case 'g': {
                char name[TEXT_WORD_MAX + 1];
                take_group_name(text, name);
                group = glmAddGroup(model, name);
                if (!group) return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
                break;
            }
            case 'f': {
                int v = 0, t = 0, n = 0;
                int form = face_first_corner<false>(text, word, length, &v, &t, &n);
                text_scan_corner<false>(text, form, &v, &t, &n);
                text_scan_corner<false>(text, form, &v, &t, &n);
                uint64_t faces = 1;
                while (text_scan_corner<false>(text, form, &v, &t, &n) > 0) faces++;
                ntriangles += faces;
                group->ntriangles += (GLuint)faces; /* wraps only when ntriangles is rejected below */
                break;
            }
            default: /* '#', "usemtl" and every other line */
                text_skip_line(text);
                break;
        }
    }

    /* Each array holds count + 1 elements; keep every count a valid GLuint. */
    if (nvertices >= UINT32_MAX || nnormals >= UINT32_MAX || ntexcoords >= UINT32_MAX || ntriangles >= UINT32_MAX)
        return glm_fail(failure, 2, "glmReadOBJ() failed: \"%s\" holds too many elements.\n", model->path);
    model->nvertices = (GLuint)nvertices;
    model->nnormals = (GLuint)nnormals;
    model->ntexcoords = (GLuint)ntexcoords;
    model->ntriangles = (GLuint)ntriangles;

    free(reader->group_capacity);
    reader->group_capacity = (GLuint*)glm_calloc_array(model->ngroups, sizeof(GLuint));
    if (!reader->group_capacity) return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
    GLuint i = 0;
    for (ModelGroup* g = model->groups; g; g = g->next, i++) {
        g->triangles = (GLuint*)glm_calloc_array(g->ntriangles, sizeof(GLuint));
        if (!g->triangles) return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
        reader->group_capacity[i] = g->ntriangles;
        g->ntriangles = 0;
    }
    return GL_TRUE;
}

/* The second pass's position in the arrays and its current group. */
struct Filling {
    GLuint vertex, normal, texcoord; /* next 1-based write positions */
    GLuint triangle;                 /* next 0-based triangle */
    ModelGroup* group;
    GLuint group_capacity;
};

static GLuint group_capacity(const _GLMmodel* model, const GlmObjReader* reader, const ModelGroup* group) {
    GLuint i = 0;
    for (const ModelGroup* g = model->groups; g != group; g = g->next) i++;
    return reader->group_capacity[i];
}

/* An OBJ index as an array position: negative counts back from the last
 * element read so far. 0 when it names no element of the array. */
static inline GLint resolve(int index, GLuint read_so_far, GLuint count) {
    int64_t at = index < 0 ? (int64_t)read_so_far + 1 + index : index;
    return (at >= 1 && at <= (int64_t)count) ? (GLint)at : 0;
}

__attribute__((noinline, cold)) static GLboolean bad_index(const _GLMmodel* model, GlmObjReader* reader, const char* face_at, const char* kind,
                           int index) {
    GlmTextCursor at = reader->text;
    at.at = face_at;
    return glm_fail(reader->failure, 2, "glmReadOBJ() failed: \"%s\" line %lu: %s index %d is out of range.\n",
                    model->path, text_line_number(&at), kind, index);
}

__attribute__((noinline, cold)) static GLboolean uncounted(const _GLMmodel* model, GlmObjReader* reader, const char* what) {
    return glm_fail(reader->failure, 2, "glmReadOBJ() failed: \"%s\" line %lu: %s that the first pass did not count.\n",
                    model->path, text_line_number(&reader->text), what);
}

/* Appends a triangle: its first two corners come from the triangle before it
 * (first and third corners) unless it is the face's first; the last corner
 * is (v, t, n). Only the index kinds of the face's form are written. */
static inline GLboolean add_triangle(_GLMmodel* model, GlmObjReader* reader, Filling* f, int form, bool first,
                              const int c0[3], const int c1[3], int v, int t, int n, const char* face_at) {
    if (f->triangle >= model->ntriangles) return uncounted(model, reader, "a triangle");
    if (f->group->ntriangles >= f->group_capacity) return uncounted(model, reader, "a group's triangle");
    ModelTriangle* tri = &model->triangles[f->triangle];
    const ModelTriangle* prev = first ? nullptr : tri - 1;
    const int corner[3] = {v, t, n};

    GLint r = resolve(v, f->vertex - 1, model->nvertices);
    if (!r) return bad_index(model, reader, face_at, "vertex", v);
    tri->vert[0] = first ? c0[0] : prev->vert[0];
    tri->vert[1] = first ? c1[0] : prev->vert[2];
    tri->vert[2] = r;
    if (form == CORNER_V_T || form == CORNER_V_T_N) {
        r = resolve(corner[1], f->texcoord - 1, model->ntexcoords);
        if (!r) return bad_index(model, reader, face_at, "texture coordinate", corner[1]);
        tri->tex[0] = first ? c0[1] : prev->tex[0];
        tri->tex[1] = first ? c1[1] : prev->tex[2];
        tri->tex[2] = r;
    }
    if (form == CORNER_V_T_N || form == CORNER_V__N) {
        r = resolve(corner[2], f->normal - 1, model->nnormals);
        if (!r) return bad_index(model, reader, face_at, "normal", corner[2]);
        tri->norm[0] = first ? c0[2] : prev->norm[0];
        tri->norm[1] = first ? c1[2] : prev->norm[2];
        tri->norm[2] = r;
    }
    f->group->triangles[f->group->ntriangles++] = f->triangle++;
    return GL_TRUE;
}

/* Resolves a corner's indices for the face's form (kinds outside it stay 0). */
static inline GLboolean resolve_corner(_GLMmodel* model, GlmObjReader* reader, const Filling* f, int form, int v, int t,
                                int n, const char* face_at, int out[3]) {
    out[0] = resolve(v, f->vertex - 1, model->nvertices);
    if (!out[0]) return bad_index(model, reader, face_at, "vertex", v);
    out[1] = out[2] = 0;
    if (form == CORNER_V_T || form == CORNER_V_T_N) {
        out[1] = resolve(t, f->texcoord - 1, model->ntexcoords);
        if (!out[1]) return bad_index(model, reader, face_at, "texture coordinate", t);
    }
    if (form == CORNER_V_T_N || form == CORNER_V__N) {
        out[2] = resolve(n, f->normal - 1, model->nnormals);
        if (!out[2]) return bad_index(model, reader, face_at, "normal", n);
    }
    return GL_TRUE;
}

/* A face line after its keyword (face_at, keyword_length: the keyword word). */
static GLboolean read_face(_GLMmodel* model, GlmObjReader* reader, Filling* f, const char* face_at,
                           size_t keyword_length) {
    GlmTextCursor* text = &reader->text;
    int v = 0, t = 0, n = 0, c0[3], c1[3];
    int form = face_first_corner<true>(text, face_at, keyword_length, &v, &t, &n);
    if (!resolve_corner(model, reader, f, form, v, t, n, face_at, c0)) return GL_FALSE;
    text_scan_corner<true>(text, form, &v, &t, &n);
    if (!resolve_corner(model, reader, f, form, v, t, n, face_at, c1)) return GL_FALSE;
    text_scan_corner<true>(text, form, &v, &t, &n);
    if (!add_triangle(model, reader, f, form, true, c0, c1, v, t, n, face_at)) return GL_FALSE;
    while (text_scan_corner<true>(text, form, &v, &t, &n) > 0)
        if (!add_triangle(model, reader, f, form, false, c0, c1, v, t, n, face_at)) return GL_FALSE;
    return GL_TRUE;
}

GLboolean glmSecondPass(_GLMmodel* model, GlmObjReader* reader) {
    GlmTextCursor* text = &reader->text;
    Filling f = {1, 1, 1, 0, glmFindGroup(model, "default"), 0};
    if (!f.group) return uncounted(model, reader, "the group \"default\"");
    f.group_capacity = group_capacity(model, reader, f.group);
    GLuint material = 0;
    const char* word;
    size_t length;
    unsigned char first, second;

    while (text_word_span(text, &word, &length)) {
        word_head(word, length, &first, &second);
        switch (first) {
            case 'v':
                if (second == '\0') {
                    if (f.vertex > model->nvertices) return uncounted(model, reader, "a vertex");
                    text_scan_floats(text, &model->vertices[3 * (size_t)f.vertex++], 3);
                } else if (second == 'n') {
                    if (f.normal > model->nnormals) return uncounted(model, reader, "a normal");
                    text_scan_floats(text, &model->normals[3 * (size_t)f.normal++], 3);
                } else if (second == 't') {
                    if (f.texcoord > model->ntexcoords) return uncounted(model, reader, "a texture coordinate");
                    text_scan_floats(text, &model->texcoords[2 * (size_t)f.texcoord++], 2);
                } else {
                    return unknown_token(reader->failure, word, length);
                }
                break;
            case 'u': {
                char name[TEXT_WORD_MAX + 1];
                take_word_name(text, name);
                material = glmFindMaterial(model, name);
                f.group->material = material;
                break;
            }
            case 'g': {
                char name[TEXT_WORD_MAX + 1];
                take_group_name(text, name);
                f.group = glmFindGroup(model, name);
                if (!f.group) return uncounted(model, reader, "a group");
                f.group_capacity = group_capacity(model, reader, f.group);
                f.group->material = material;
                break;
            }
            case 'f': {
                if (!read_face(model, reader, &f, word, length)) return GL_FALSE;
                break;
            }
            default: /* '#', "mtllib" and every other line */
                text_skip_line(text);
                break;
        }
    }
    /* Fewer triangles than counted would leave triangles in no group. (Fewer
     * positions, normals or coordinates than counted leave zeros, harmless.) */
    if (f.triangle != model->ntriangles)
        return glm_fail(reader->failure, 2, "glmReadOBJ() failed: \"%s\": %u triangles counted but %u read.\n",
                        model->path, model->ntriangles, f.triangle);
    return GL_TRUE;
}
