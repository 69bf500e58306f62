// The second pass over an OBJ text, chunk by chunk: fills the arrays sized
// from the first pass's counts at the places the first pass gave each chunk,
// splitting faces into fans around their first corner and checking every
// index against its array. The chunks then join in order
// (read_obj_second_join.cpp).
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "model/read_obj_lines.h"
#include "model/read_plan.h"

/* A chunk's second pass: where it writes next, and its current group. */
struct Filling {
    GLuint vertex, normal, texcoord; /* next 1-based write positions */
    GLuint vertex_end, normal_end, texcoord_end;
    GLuint triangle, triangle_end; /* next 0-based triangle; the chunk's share ends before triangle_end */
    uint32_t group;                /* the model's index of the current group */
    uint32_t slot;                 /* its chunk group slot, or GLM_NO_NAME: nothing to fill here */
    GLuint material;               /* or GLM_INHERITED */
};

struct SecondPass {
    _GLMmodel* model;
    const GlmReadPlan* plan;
    GlmChunk* chunk;
    GlmTextCursor text;
    Filling f;
};

/* An OBJ index as an array position: negative counts back from the last
 * element read so far. 0 when it names no element of the array. */
static inline GLint resolve(int index, GLuint read_so_far, GLuint count) {
    int64_t at = index < 0 ? (int64_t)read_so_far + 1 + index : index;
    return (at >= 1 && at <= (int64_t)count) ? (GLint)at : 0;
}

__attribute__((noinline, cold)) static GLboolean bad_index(SecondPass* s, const char* face_at, const char* kind,
                                                           int index) {
    GlmTextCursor at = s->text;
    at.at = face_at;
    return glm_fail(&s->chunk->failure, 2, "glmReadOBJ() failed: \"%s\" line %lu: %s index %d is out of range.\n",
                    s->model->path, text_line_number(&at), kind, index);
}

/* The second pass met more than the first pass counted; `at` is where (for
 * triangles: the face's keyword). Beyond the last chunk's share that is
 * beyond the array, a failure; beyond another chunk's, the chunks do not
 * fit together and reading the text in one chunk decides. */
__attribute__((noinline, cold)) static GLboolean uncounted(SecondPass* s, const char* at, const char* what) {
    if (!s->chunk->last) {
        s->chunk->result.inconsistent = true;
        return GL_FALSE;
    }
    GlmTextCursor here = s->text;
    here.at = at;
    return glm_fail(&s->chunk->failure, 2,
                    "glmReadOBJ() failed: \"%s\" line %lu: %s that the first pass did not count.\n", s->model->path,
                    text_line_number(&here), what);
}

/* Room in the current group's share for one more triangle. */
static inline bool group_has_room(const SecondPass* s, GLuint more) {
    return s->f.slot != GLM_NO_NAME && more <= s->chunk->place.fill_end[s->f.slot] - s->chunk->place.fill[s->f.slot];
}

/* Lists triangle positions [first, first + count) in the current group. */
static inline GLuint* group_list_at(SecondPass* s) {
    return &s->plan->group_list[s->f.group].record->triangles[s->chunk->place.fill[s->f.slot]];
}

/* Resolves a corner's indices for the face's form (kinds outside it stay 0). */
static inline GLboolean resolve_corner(SecondPass* s, int form, int v, int t, int n, const char* face_at,
                                       int out[3]) {
    const _GLMmodel* model = s->model;
    out[0] = resolve(v, s->f.vertex - 1, model->nvertices);
    if (!out[0]) return bad_index(s, face_at, "vertex", v);
    out[1] = out[2] = 0;
    if (form == CORNER_V_T || form == CORNER_V_T_N) {
        out[1] = resolve(t, s->f.texcoord - 1, model->ntexcoords);
        if (!out[1]) return bad_index(s, face_at, "texture coordinate", t);
    }
    if (form == CORNER_V_T_N || form == CORNER_V__N) {
        out[2] = resolve(n, s->f.normal - 1, model->nnormals);
        if (!out[2]) return bad_index(s, face_at, "normal", n);
    }
    return GL_TRUE;
}

/* Appends a face's next fan triangle, its last corner (v, t, n). Index kinds
 * outside the face's form are 0: the array may hold the first pass's
 * triangles, and when the passes disagree about the faces, another face's
 * indices stand at this place. */
static inline GLboolean add_triangle(SecondPass* s, int form, bool first, const int c0[3], const int c1[3], int v,
                                     int t, int n, const char* face_at) {
    Filling* f = &s->f;
    int corner[3];
    if (f->triangle >= f->triangle_end) return uncounted(s, face_at, "a triangle");
    if (!group_has_room(s, 1)) return uncounted(s, face_at, "a group's triangle");
    if (!resolve_corner(s, form, v, t, n, face_at, corner)) return GL_FALSE;
    fan_triangle(&s->model->triangles[f->triangle], first, c0, c1, corner);
    *group_list_at(s) = f->triangle++;
    s->chunk->place.fill[f->slot]++;
    return GL_TRUE;
}

/* A run of faces the first pass kept: their triangles are already in place
 * (same triangle position). Resolves and checks every corner of every
 * triangle, in reading order (corners a fan triangle shares with the one
 * before it pass again), and lists the triangles in the current group.
 * False, with the positions unchanged, when anything fails: the caller then
 * reads the faces from the text, which reports the failure at the face it
 * belongs to. */
static bool cached_faces(SecondPass* s, const GlmFaceRecord* r) {
    const _GLMmodel* model = s->model;
    Filling* f = &s->f;
    if (r->ntriangles > f->triangle_end - f->triangle || !group_has_room(s, 0) ||
        r->ntriangles > s->chunk->place.fill_end[f->slot] - s->chunk->place.fill[f->slot])
        return false;
    const bool tex = r->form == CORNER_V_T || r->form == CORNER_V_T_N;
    const bool norm = r->form == CORNER_V_T_N || r->form == CORNER_V__N;
    const GLuint nv = f->vertex - 1, nt = f->texcoord - 1, nn = f->normal - 1;
    ModelTriangle* tri = &model->triangles[f->triangle];
    GLuint* listed = group_list_at(s);
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
    s->chunk->place.fill[f->slot] += (GLuint)r->ntriangles; /* fits: checked against the share above */
    f->triangle += (GLuint)r->ntriangles;
    return true;
}

/* A face line after its keyword (face_at, keyword_length: the keyword word). */
static GLboolean read_face(SecondPass* s, const char* face_at, size_t keyword_length) {
    GlmTextCursor* text = &s->text;
    int v = 0, t = 0, n = 0, c0[3], c1[3];
    int form = face_first_corner<true>(text, face_at, keyword_length, &v, &t, &n);
    if (!resolve_corner(s, form, v, t, n, face_at, c0)) return GL_FALSE;
    text_scan_corner<true>(text, form, &v, &t, &n);
    if (!resolve_corner(s, form, v, t, n, face_at, c1)) return GL_FALSE;
    text_scan_corner<true>(text, form, &v, &t, &n);
    if (!add_triangle(s, form, true, c0, c1, v, t, n, face_at)) return GL_FALSE;
    while (text_scan_corner<true>(text, form, &v, &t, &n) > 0)
        if (!add_triangle(s, form, false, c0, c1, v, t, n, face_at)) return GL_FALSE;
    return GL_TRUE;
}

/* The message of a material not found: printed now when the text is read in
 * one chunk, else kept for when the chunks join. */
static bool material_not_found(const GlmReadPlan* plan, GlmChunkResult* result, const char* name) {
    static const char format[] = "glmFindMaterial():  can't find material \"%s\".\n";
    if (plan->nchunks == 1) {
        printf(format, name);
        return true;
    }
    size_t length = sizeof format - 3 + strlen(name);
    if (!result->warnings.room(result->warnings.count + length + 1)) return false;
    snprintf(&result->warnings[result->warnings.count], length + 1, format, name);
    result->warnings.count += length;
    return true;
}

/* Makes the group of that name current (the model's index; the chunk's slot
 * for it when its first pass met it here or it is group 0). In the first
 * chunk the model's table also holds the groups that later chunks added. */
static GLboolean switch_group(SecondPass* s, const char* name) {
    const GlmChunk* c = s->chunk;
    uint32_t j = glm_names_find(c->counts.groups, name);
    if (j < c->counts.ngroups) {
        s->f.slot = c->place.slot[j];
        s->f.group = c->place.group_index[j];
        return GL_TRUE;
    }
    uint32_t g = glm_names_find(&s->plan->groups, name);
    if (g == GLM_NO_NAME) return uncounted(s, s->text.at, "a group");
    s->f.group = g;
    s->f.slot = g == c->place.group_index[0] ? 0 : GLM_NO_NAME;
    return GL_TRUE;
}

/* A "v", "vn" or "vt" line after its keyword (second: the keyword's second character). */
static inline bool read_vector(SecondPass* s, unsigned char second, const char* word, size_t length) {
    Filling* f = &s->f;
    _GLMmodel* model = s->model;
    if (second == '\0') {
        if (f->vertex >= f->vertex_end) return uncounted(s, s->text.at, "a vertex");
        text_scan_floats(&s->text, &model->vertices[3 * (size_t)f->vertex++], 3);
    } else if (second == 'n') {
        if (f->normal >= f->normal_end) return uncounted(s, s->text.at, "a normal");
        text_scan_floats(&s->text, &model->normals[3 * (size_t)f->normal++], 3);
    } else if (second == 't') {
        if (f->texcoord >= f->texcoord_end) return uncounted(s, s->text.at, "a texture coordinate");
        text_scan_floats(&s->text, &model->texcoords[2 * (size_t)f->texcoord++], 2);
    } else {
        return unknown_token(&s->chunk->failure, word, length);
    }
    return true;
}

/* A "usemtl" line after its keyword. */
static bool read_usemtl(SecondPass* s) {
    char name[TEXT_WORD_MAX + 1];
    take_word_name(&s->text, name);
    GlmChunkResult* result = &s->chunk->result;
    GLuint m = glm_names_find(&s->plan->materials, name);
    if (m == GLM_NO_NAME && !material_not_found(s->plan, result, name)) return glm_out_of_memory(&s->chunk->failure);
    s->f.material = m == GLM_NO_NAME ? 0 : m;
    return result->events.push({s->f.group, s->f.material}) || glm_out_of_memory(&s->chunk->failure);
}

/* A "g" line after its keyword (at `word`). The first pass's switch from this
 * line gives the group when it read one here, unless names are to be found
 * by searching, as they were then. */
static bool read_group(SecondPass* s, const char* word, size_t* next_switch) {
    const GlmChunk* c = s->chunk;
    const GlmArray<GlmGroupSwitch>& switches = c->counts.switches;
    while (*next_switch < switches.count && switches[*next_switch].at < word) ++*next_switch;
    if (*next_switch < switches.count && switches[*next_switch].at == word && !s->plan->options.names_linear) {
        text_skip_line(&s->text); /* as far as taking the name would read */
        const uint32_t j = switches[*next_switch].group;
        s->f.slot = c->place.slot[j];
        s->f.group = c->place.group_index[j];
    } else {
        char name[TEXT_WORD_MAX + 1];
        take_group_name(&s->text, name);
        if (!switch_group(s, name)) return false;
    }
    return s->chunk->result.events.push({s->f.group, s->f.material}) || glm_out_of_memory(&s->chunk->failure);
}

/* The first pass's runs of faces, when their triangles became the model's,
 * and the next one of them that the reading can meet. */
struct KeptFaces {
    const GlmFaceCache* cache;
    size_t next;          /* next run */
    uint64_t triangle;    /* triangle position of that run */
};

/* A face line after its keyword (at `word`): the first pass's run of faces
 * from here when it read one, or the face read from the text. */
static inline bool face_line(SecondPass* s, KeptFaces* kept, const char* word, size_t length) {
    const GlmFaceCache* cache = kept->cache;
    if (cache) {
        while (kept->next < cache->faces.count && cache->faces[kept->next].at < word)
            kept->triangle += cache->faces[kept->next++].ntriangles;
        const GlmFaceRecord* run = kept->next < cache->faces.count ? &cache->faces[kept->next] : nullptr;
        if (run && run->at == word && s->f.triangle == kept->triangle && cached_faces(s, run)) {
            s->text.at = run->end;
            return true;
        }
    }
    return read_face(s, word, length);
}

/* Where a chunk's second pass starts writing, from what the join placed. */
static Filling start_filling(const GlmChunk* chunk, bool first) {
    const GlmChunkCounts* c = &chunk->counts;
    const GlmChunkPlace* p = &chunk->place;
    Filling f = {};
    f.vertex = p->first_vertex, f.vertex_end = p->first_vertex + (GLuint)c->nvertices;
    f.normal = p->first_normal, f.normal_end = p->first_normal + (GLuint)c->nnormals;
    f.texcoord = p->first_texcoord, f.texcoord_end = p->first_texcoord + (GLuint)c->ntexcoords;
    f.triangle = p->first_triangle, f.triangle_end = p->first_triangle + (GLuint)c->ntriangles;
    f.group = p->group_index[0];
    f.slot = 0;
    f.material = first ? 0 : GLM_INHERITED;
    return f;
}

/* The second pass over one chunk (context: a GlmPassContext). */
void glm_second_pass_chunk(GlmChunk* chunk, void* context) {
    const GlmPassContext* ctx = (const GlmPassContext*)context;
    const GlmReadPlan* plan = ctx->reader->plan;
    SecondPass pass = {ctx->model, plan, chunk, ctx->reader->text, start_filling(chunk, chunk == plan->chunks)};
    SecondPass* s = &pass;
    s->text.at = chunk->start;
    const GlmFaceCache* faces = &chunk->counts.faces;
    KeptFaces kept = {faces->adopted ? faces : nullptr, 0, 0};
    size_t next_switch = 0;
    const char* word;
    size_t length;
    while (glm_chunk_word(chunk, &s->text, &word, &length)) {
        unsigned char first, second;
        word_head(word, length, &first, &second);
        bool ok = true;
        switch (first) {
            case 'v': ok = read_vector(s, second, word, length); break;
            case 'u': ok = read_usemtl(s); break;
            case 'g': ok = read_group(s, word, &next_switch); break;
            case 'f': ok = face_line(s, &kept, word, length); break;
            default: text_skip_line(&s->text); break; /* '#', "mtllib" and every other line */
        }
        if (!ok) return;
    }
    GlmChunkResult* result = &chunk->result;
    result->material = s->f.material;
    result->end_group = s->f.group;
    result->end_vertex = s->f.vertex, result->end_normal = s->f.normal, result->end_texcoord = s->f.texcoord;
    result->end_triangle = s->f.triangle;
}
