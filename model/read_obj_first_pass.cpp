// The first pass over an OBJ text: counts positions, normals, texture
// coordinates and triangles, creates the groups, reads the material library,
// and keeps each face's fan triangles for the second pass.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/read_obj_lines.h"

/* Makes room for `wanted` elements in a growing array; false (array kept)
 * when it cannot. Large arrays get huge-page advice, as the model's do. */
static bool reserve(void** block, size_t* capacity, size_t wanted, size_t size) {
    if (wanted <= *capacity) return true;
    if (wanted > SIZE_MAX / size) return false;
    void* grown = realloc(*block, wanted * size);
    if (!grown) return false;
    glm_advise_huge(grown, wanted * size);
    *block = grown;
    *capacity = wanted;
    return true;
}

/* Makes room for one more element after `count`, doubling. */
static bool grow(void** block, size_t* capacity, size_t count, size_t size) {
    if (count < *capacity) return true;
    return reserve(block, capacity, *capacity ? *capacity * 2 : 4096, size);
}

/* Room for the faces of a text of `size` bytes at the usual density (a
 * triangle per 48 bytes or more), so that the arrays seldom grow: growing
 * copies them once the allocator keeps large blocks on its heap. Only
 * advance room: more faces still fit by growing, and failing here is not
 * failing to read. */
static void reserve_faces(GlmFaceCache* cache, size_t size) {
    size_t expected = size / 48;
    reserve((void**)&cache->triangles, &cache->triangle_capacity, expected, sizeof(ModelTriangle));
    reserve((void**)&cache->faces, &cache->face_capacity, expected, sizeof(GlmFaceRecord));
}

/* Index kinds that a face form does not carry stay 0. */
static inline void clear_unused_kinds(ModelTriangle* tri, int form) {
    if (form == CORNER_V || form == CORNER_V__N) tri->tex[0] = tri->tex[1] = tri->tex[2] = 0;
    if (form == CORNER_V || form == CORNER_V_T) tri->norm[0] = tri->norm[1] = tri->norm[2] = 0;
    tri->facet = 0;
}

/* First pass, counting a face. With the cache it also keeps the face's fan
 * triangles with their indices as written, adding the face to the last run
 * when it directly follows that run's last face (follows_face); without it
 * only counts. */
static uint64_t first_pass_face(GlmFaceCache* cache, GlmTextCursor* text, const char* word, size_t length,
                                bool follows_face) {
    int v = 0, t = 0, n = 0;
    if (!cache || cache->failed) {
        int form = face_first_corner<false>(text, word, length, &v, &t, &n);
        text_scan_corner<false>(text, form, &v, &t, &n);
        text_scan_corner<false>(text, form, &v, &t, &n);
        uint64_t made = 1;
        while (text_scan_corner<false>(text, form, &v, &t, &n) > 0) made++;
        return made;
    }
    int form = face_first_corner<true>(text, word, length, &v, &t, &n);
    const int c0[3] = {v, t, n};
    text_scan_corner<true>(text, form, &v, &t, &n);
    const int c1[3] = {v, t, n};
    text_scan_corner<true>(text, form, &v, &t, &n);
    uint64_t made = 0;
    do {
        if (!grow((void**)&cache->triangles, &cache->triangle_capacity, cache->ntriangles, sizeof(ModelTriangle))) {
            cache->failed = true;
        } else if (!cache->failed) {
            ModelTriangle* tri = &cache->triangles[cache->ntriangles++];
            const int corner[3] = {v, t, n};
            if (made == 0) {
                for (int k = 0; k < 3; k++) {
                    int* kind = k == 0 ? tri->vert : k == 1 ? tri->tex : tri->norm;
                    kind[0] = c0[k], kind[1] = c1[k], kind[2] = corner[k];
                }
            } else {
                const ModelTriangle* prev = tri - 1;
                tri->vert[0] = prev->vert[0], tri->vert[1] = prev->vert[2], tri->vert[2] = v;
                tri->tex[0] = prev->tex[0], tri->tex[1] = prev->tex[2], tri->tex[2] = t;
                tri->norm[0] = prev->norm[0], tri->norm[1] = prev->norm[2], tri->norm[2] = n;
            }
            clear_unused_kinds(tri, form);
        }
        made++;
    } while (text_scan_corner<true>(text, form, &v, &t, &n) > 0);
    if (cache->failed) return made;
    GlmFaceRecord* run = cache->nfaces ? &cache->faces[cache->nfaces - 1] : nullptr;
    if (follows_face && run && run->form == form) {
        run->end = text->at;
        run->ntriangles += made;
    } else if (grow((void**)&cache->faces, &cache->face_capacity, cache->nfaces, sizeof(GlmFaceRecord))) {
        run = &cache->faces[cache->nfaces++];
        run->at = word;
        run->end = text->at;
        run->ntriangles = made;
        run->form = form;
    } else {
        cache->failed = true;
    }
    return made;
}

GLboolean glmFirstPass(_GLMmodel* model, GlmObjReader* reader) {
    GlmTextCursor* text = &reader->text;
    GlmReadFailure* failure = reader->failure;
    ModelGroup* group = glmAddGroup(model, "default");
    if (!group) return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
    if (!reader->faces && glm_face_cache_enabled) {
        reader->faces = (GlmFaceCache*)calloc(1, sizeof(GlmFaceCache));
        if (reader->faces) reserve_faces(reader->faces, (size_t)(text->end - text->begin));
    }
    uint64_t nvertices = 0, nnormals = 0, ntexcoords = 0, ntriangles = 0;
    const char* word;
    size_t length;
    unsigned char first, second;

    bool last_was_face = false; /* the word before this one was a face's keyword */
    while (text_word_span(text, &word, &length)) {
        word_head(word, length, &first, &second);
        const bool follows_face = last_was_face; /* only blanks since that face ended */
        last_was_face = first == 'f';
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
                uint64_t made = first_pass_face(reader->faces, text, word, length, follows_face);
                ntriangles += made;
                group->ntriangles += (GLuint)made; /* wraps only when ntriangles is rejected below */
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
