// The second pass over an OBJ text: fills the arrays sized from the first
// pass's counts, splitting faces into fans around their first corner and
// checking every index against its array.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/read_obj_lines.h"

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

/* The second pass met more than the first pass counted; `at` is where (for
 * triangles: the face's keyword). */
__attribute__((noinline, cold)) static GLboolean uncounted(const _GLMmodel* model, GlmObjReader* reader,
                                                           const char* at, const char* what) {
    GlmTextCursor here = reader->text;
    here.at = at;
    return glm_fail(reader->failure, 2, "glmReadOBJ() failed: \"%s\" line %lu: %s that the first pass did not count.\n",
                    model->path, text_line_number(&here), what);
}

/* Appends a triangle: its first two corners come from the triangle before it
 * (first and third corners) unless it is the face's first; the last corner
 * is (v, t, n). Index kinds outside the face's form are 0: the array may
 * hold the first pass's triangles, and when the passes disagree about the
 * faces, another face's indices stand at this place. */
static inline GLboolean add_triangle(_GLMmodel* model, GlmObjReader* reader, Filling* f, int form, bool first,
                              const int c0[3], const int c1[3], int v, int t, int n, const char* face_at) {
    if (f->triangle >= model->ntriangles) return uncounted(model, reader, face_at, "a triangle");
    if (f->group->ntriangles >= f->group_capacity) return uncounted(model, reader, face_at, "a group's triangle");
    ModelTriangle* tri = &model->triangles[f->triangle];
    const ModelTriangle* prev = first ? nullptr : tri - 1;
    const int corner[3] = {v, t, n};
    memset(tri, 0, sizeof *tri);

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

/* A run of faces the first pass kept: their triangles are already in place
 * (same triangle position). Resolves and checks every corner of every
 * triangle, in reading order (corners a fan triangle shares with the one
 * before it pass again), and lists the triangles in the current group. False,
 * with f unchanged, when anything fails: the caller then reads the faces from
 * the text, which reports the failure at the face it belongs to. */
static bool cached_faces(_GLMmodel* model, Filling* f, const GlmFaceRecord* r) {
    ModelGroup* group = f->group;
    if (r->ntriangles > model->ntriangles - f->triangle || r->ntriangles > f->group_capacity - group->ntriangles)
        return false;
    const bool tex = r->form == CORNER_V_T || r->form == CORNER_V_T_N;
    const bool norm = r->form == CORNER_V_T_N || r->form == CORNER_V__N;
    const GLuint nv = f->vertex - 1, nt = f->texcoord - 1, nn = f->normal - 1;
    ModelTriangle* tri = &model->triangles[f->triangle];
    GLuint* listed = &group->triangles[group->ntriangles];
    for (uint64_t i = 0; i < r->ntriangles; i++, tri++) {
        for (int k = 0; k < 3; k++) {
            /* Indices 1..count as written are the usual case: kept as they are. */
            int raw = tri->vert[k];
            if ((unsigned)(raw - 1) >= model->nvertices && !(tri->vert[k] = resolve(raw, nv, model->nvertices)))
                return false;
            raw = tri->tex[k];
            if (tex && (unsigned)(raw - 1) >= model->ntexcoords && !(tri->tex[k] = resolve(raw, nt, model->ntexcoords)))
                return false;
            raw = tri->norm[k];
            if (norm && (unsigned)(raw - 1) >= model->nnormals && !(tri->norm[k] = resolve(raw, nn, model->nnormals)))
                return false;
        }
        listed[i] = f->triangle + (GLuint)i;
    }
    group->ntriangles += (GLuint)r->ntriangles; /* fits: checked against the capacity above */
    f->triangle += (GLuint)r->ntriangles;
    return true;
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
    if (!f.group) return uncounted(model, reader, text->at, "the group \"default\"");
    f.group_capacity = group_capacity(model, reader, f.group);
    GLuint material = 0;
    size_t cached = 0;            /* next run of faces of the first pass */
    uint64_t cached_triangle = 0; /* triangle position of that run */
    GlmFaceCache* cache = (reader->faces && reader->faces->adopted) ? reader->faces : nullptr;
    const char* word;
    size_t length;
    unsigned char first, second;

    while (text_word_span(text, &word, &length)) {
        word_head(word, length, &first, &second);
        switch (first) {
            case 'v':
                if (second == '\0') {
                    if (f.vertex > model->nvertices) return uncounted(model, reader, text->at, "a vertex");
                    text_scan_floats(text, &model->vertices[3 * (size_t)f.vertex++], 3);
                } else if (second == 'n') {
                    if (f.normal > model->nnormals) return uncounted(model, reader, text->at, "a normal");
                    text_scan_floats(text, &model->normals[3 * (size_t)f.normal++], 3);
                } else if (second == 't') {
                    if (f.texcoord > model->ntexcoords) return uncounted(model, reader, text->at, "a texture coordinate");
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
                if (!f.group) return uncounted(model, reader, text->at, "a group");
                f.group_capacity = group_capacity(model, reader, f.group);
                f.group->material = material;
                break;
            }
            case 'f': {
                /* The first pass's run of faces from this face, if it read one here. */
                while (cache && cached < cache->nfaces && cache->faces[cached].at < word)
                    cached_triangle += cache->faces[cached++].ntriangles;
                if (cache && cached < cache->nfaces && cache->faces[cached].at == word && f.triangle == cached_triangle &&
                    cached_faces(model, &f, &cache->faces[cached])) {
                    text->at = cache->faces[cached].end;
                } else if (!read_face(model, reader, &f, word, length)) {
                    return GL_FALSE;
                }
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
