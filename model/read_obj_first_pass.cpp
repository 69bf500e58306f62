// The first pass over an OBJ text, chunk by chunk: counts positions,
// normals, texture coordinates and triangles, meets the groups and the
// material libraries, and keeps each face's fan triangles for the second
// pass. The chunks then join in order (read_obj_first_join.cpp).
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/read_obj_lines.h"
#include "model/read_plan.h"

/* Room for the faces of a text of `size` bytes at the usual density (a
 * triangle per 48 bytes or more), so that the arrays seldom grow: growing
 * copies them once the allocator keeps large blocks on its heap. Only
 * advance room: more faces still fit by growing, and failing here is not
 * failing to read. */
static void reserve_faces(GlmFaceCache* cache, size_t size) {
    size_t expected = size / 48;
    cache->triangles.reserve(expected);
    cache->faces.reserve(expected);
}

/* Index kinds that a face form does not carry stay 0. */
static inline void clear_unused_kinds(ModelTriangle* tri, int form) {
    if (form == CORNER_V || form == CORNER_V__N) tri->tex[0] = tri->tex[1] = tri->tex[2] = 0;
    if (form == CORNER_V || form == CORNER_V_T) tri->norm[0] = tri->norm[1] = tri->norm[2] = 0;
}

#if defined(__SSE2__)
/* Byte classes of 64 bytes as bit masks: digits, '/', blanks other than
 * the line feed, line feeds. */
struct FaceMasks {
    uint64_t digit, slash, blank, newline;
};
static inline FaceMasks face_masks64(const char* p) {
    FaceMasks m = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const __m128i b = _mm_loadu_si128((const __m128i*)(p + 16 * i));
        const __m128i d = _mm_sub_epi8(b, _mm_set1_epi8('0'));
        const __m128i w = _mm_sub_epi8(b, _mm_set1_epi8('\t')); /* '\t'..'\r': 0..4 */
        const __m128i digit = _mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d);
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(w, _mm_set1_epi8(4)), w),
                                           _mm_cmpeq_epi8(b, _mm_set1_epi8(' ')));
        const int shift = 16 * i;
        m.digit |= (uint64_t)(uint16_t)_mm_movemask_epi8(digit) << shift;
        m.slash |= (uint64_t)(uint16_t)_mm_movemask_epi8(_mm_cmpeq_epi8(b, _mm_set1_epi8('/'))) << shift;
        m.blank |= (uint64_t)(uint16_t)_mm_movemask_epi8(blank) << shift;
        m.newline |= (uint64_t)(uint16_t)_mm_movemask_epi8(_mm_cmpeq_epi8(b, _mm_set1_epi8('\n'))) << shift;
    }
    m.blank &= ~m.newline;
    return m;
}

/* The usual face line counted without reading its numbers (the cursor just
 * after the keyword "f"): up to the line end, which lies within 64 bytes,
 * blank-separated corners all of the first one's shape (d, d/d, d/d/d or
 * d//d, d a run of digits), and after the line no number or sign. Then the
 * first corner decides that shape as the face's form, every read of that
 * form takes exactly one corner, and the read after the last one meets the
 * next line's first word and takes nothing: the face makes its corners less
 * two triangles (at least one) and reading goes on at that word. Returns the
 * triangles, or 0 with nothing read when the line is not of that kind. */
static inline uint64_t count_plain_face(GlmTextCursor* text) {
    const char* p = text->at;
    if (text->end - p < 64) return 0;
    const FaceMasks m = face_masks64(p);
    if (!m.newline) return 0;
    const unsigned length = (unsigned)__builtin_ctzll(m.newline);
    const uint64_t line = (1ull << length) - 1;
    const uint64_t solid = (m.digit | m.slash) & line;
    if ((solid | (m.blank & line)) != line) return 0;
    const uint64_t starts = solid & ~(solid << 1), ends = solid & ~(solid >> 1);
    if ((starts | ends) & ~m.digit) return 0; /* corners begin and end with digits */
    int form = -1;
    uint64_t corners = 0;
    for (uint64_t t = starts; t; t &= t - 1, corners++) {
        const unsigned first = (unsigned)__builtin_ctzll(t);
        const unsigned last = (unsigned)__builtin_ctzll(ends >> first) + first;
        const uint64_t slashes = m.slash & (~0ull << first) & (~0ull >> (63 - last));
        const uint64_t more = slashes & (slashes - 1); /* less the first slash; no popcount instruction assumed */
        const int shape = !slashes                ? CORNER_V
                          : !more                 ? CORNER_V_T
                          : !(more & (more - 1))  ? ((slashes & (slashes >> 1)) ? CORNER_V__N : CORNER_V_T_N)
                                                  : -2;
        if (shape < 0 || (form >= 0 && shape != form)) return 0;
        form = shape;
    }
    if (corners == 0) return 0;
    GlmTextCursor after = {text->begin, p + length, text->end};
    if (text_skip_space(&after)) {
        const unsigned char c = (unsigned char)*after.at;
        if (text_is_digit(c) || c == '+' || c == '-') return 0;
    }
    text->at = after.at;
    return corners >= 3 ? corners - 2 : 1;
}
#endif

/* First pass, counting a face. With kept faces it also keeps the face's fan
 * triangles with their indices as written, adding the face to the last run
 * when it directly follows that run's last face (follows_face); without it
 * only counts. */
static uint64_t first_pass_face(GlmFaceCache* cache, GlmTextCursor* text, const char* word, size_t length,
                                bool follows_face) {
    int v = 0, t = 0, n = 0;
    if (!cache->kept || cache->failed) {
#if defined(__SSE2__)
        if (length == 1 && text->at == word + 1)
            if (uint64_t made = count_plain_face(text)) return made;
#endif
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
        if (!cache->triangles.room(cache->triangles.count + 1)) {
            cache->failed = true;
        } else if (!cache->failed) {
            ModelTriangle* tri = &cache->triangles[cache->triangles.count++];
            const int corner[3] = {v, t, n};
            fan_triangle(tri, made == 0, c0, c1, corner);
            clear_unused_kinds(tri, form);
        }
        made++;
    } while (text_scan_corner<true>(text, form, &v, &t, &n) > 0);
    if (cache->failed) return made;
    GlmFaceRecord* run = cache->faces.count ? &cache->faces[cache->faces.count - 1] : nullptr;
    if (follows_face && run && run->form == form) {
        run->end = text->at;
        run->ntriangles += made;
    } else if (!cache->faces.push({word, text->at, made, form})) {
        cache->failed = true;
    }
    return made;
}

/* Makes the chunk group of that name current, adding it when new, and
 * records the switch (the line's keyword at `at`); false when memory runs out. */
static bool chunk_group(GlmChunkCounts* counts, const char* name, const char* at, uint32_t* group) {
    bool added;
    uint32_t index = glm_names_add(counts->groups, name, &added);
    if (index == GLM_NO_NAME || (added && !counts->group_triangles.push(0)) || !counts->switches.push({at, index}))
        return false;
    *group = index;
    return true;
}

/* What one chunk's first pass has read so far. */
struct FirstPass {
    GlmChunkCounts* counts;
    GlmTextCursor text;
    uint32_t group;           /* the current chunk group */
    bool last_was_face;       /* the word before this one was a face's keyword */
};

/* One line from its keyword word on; false when reading stops at a failure. */
static bool first_pass_line(FirstPass* p, GlmChunk* chunk, const char* word, size_t length) {
    GlmChunkCounts* counts = p->counts;
    GlmTextCursor* text = &p->text;
    unsigned char first, second;
    word_head(word, length, &first, &second);
    const bool follows_face = p->last_was_face; /* only blanks since that face ended */
    p->last_was_face = first == 'f';
    switch (first) {
        case 'v':
            if (second == '\0') counts->nvertices++;
            else if (second == 'n') counts->nnormals++;
            else if (second == 't') counts->ntexcoords++;
            else return unknown_token(&chunk->failure, word, length);
            text_skip_line(text);
            return true;
        case 'm': {
            char name[TEXT_WORD_MAX + 1];
            take_word_name(text, name);
            size_t size = strlen(name) + 1;
            if (!counts->mtllibs.room(counts->mtllibs.count + size)) return glm_out_of_memory(&chunk->failure);
            memcpy(&counts->mtllibs[counts->mtllibs.count], name, size);
            counts->mtllibs.count += size;
            return true;
        }
        case 'g': {
            char name[TEXT_WORD_MAX + 1];
            take_group_name(text, name);
            return chunk_group(counts, name, word, &p->group) || glm_out_of_memory(&chunk->failure);
        }
        case 'f': {
            uint64_t made = first_pass_face(&counts->faces, text, word, length, follows_face);
            counts->ntriangles += made;
            counts->group_triangles[p->group] += made;
            return true;
        }
        default: /* '#', "usemtl" and every other line */
            text_skip_line(text);
            return true;
    }
}

/* The first pass over one chunk (context: a GlmPassContext). */
void glm_first_pass_chunk(GlmChunk* chunk, void* context) {
    const GlmObjReader* reader = ((const GlmPassContext*)context)->reader;
    GlmChunkCounts* counts = &chunk->counts;
    FirstPass p = {counts, reader->text, 0, false};
    p.text.at = chunk->start;
    glm_advise_needed(chunk->start, (size_t)(chunk->limit - chunk->start));
    if (!counts->group_triangles.reserve(64) || !counts->group_triangles.push(0)) {
        glm_out_of_memory(&chunk->failure);
        return;
    }
    /* Kept faces pay off when their triangles become the model's, which
     * happens when the text is read in one chunk. Read in several, each
     * chunk's would be copied into place: reading the faces again costs
     * less than that (fresh memory, and moving it). */
    counts->faces.kept = reader->plan->options.face_cache && chunk->start == p.text.begin && chunk->last;
    if (counts->faces.kept) reserve_faces(&counts->faces, (size_t)(chunk->limit - chunk->start));
    const char* word;
    size_t length;
    while (glm_chunk_word(chunk, &p.text, &word, &length))
        if (!first_pass_line(&p, chunk, word, length)) return;
    counts->last_group = p.group;
    counts->ngroups = glm_names_count(counts->groups);
}
