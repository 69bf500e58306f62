/* read_plan.h: reading an OBJ text in parts, on several threads.
 *
 * The text is cut into chunks at line starts. Each pass reads every chunk as
 * a reading of the whole text would from there, with the chunk's own counts,
 * groups and events, then the chunks are joined in order. A chunk starts
 * where that reading would be between two words: the chunk before it, read on
 * past its end, must stop between words no later than the cut (`stop` <=
 * `limit`), and its second pass must meet exactly what its first pass
 * counted. When they do not, the whole text is read again in one chunk; when
 * they do, the result is that of reading it in one, bit for bit and message
 * for message.
 */
#ifndef QO_MODEL_READ_PLAN_H
#define QO_MODEL_READ_PLAN_H

#include <stddef.h>
#include <stdint.h>

#include "model/grow_array.h"
#include "model/include2.h"
#include "model/name_table.h"
#include "model/read_obj.h"
#include "model/read_support.h"

/* A material taken before a chunk's first "usemtl": the chunk before it decides. */
constexpr GLuint GLM_INHERITED = UINT32_MAX;

/* A "g" line the first pass met: where its keyword is and the chunk group
 * it made current. The second pass takes the group from here when it meets
 * the same line, instead of finding the name again. */
struct GlmGroupSwitch {
    const char* at;
    uint32_t group;
};

/* A group's material set during the second pass, in reading order. */
struct GlmMaterialEvent {
    uint32_t group;  /* the model's group index */
    GLuint material; /* or GLM_INHERITED */
};

/* What a chunk's first pass counts and meets. Chunk groups are the entries
 * of `groups`: in the first chunk the model's own table, whose entry 0 is
 * "default"; in the others a table of their own, whose entry 0 has no name
 * and stands for the group current when the chunk begins. */
struct GlmChunkCounts {
    uint64_t nvertices = 0, nnormals = 0, ntexcoords = 0, ntriangles = 0;
    GlmNameTable* groups = nullptr;
    GlmNameTable own_groups;
    uint32_t ngroups = 0;                    /* the entries `groups` had when the chunk's first pass ended */
    GlmArray<uint64_t> group_triangles;      /* per chunk group */
    GlmArray<GlmGroupSwitch> switches;
    uint32_t last_group = 0;                 /* the chunk group current at the end */
    GlmArray<char> mtllibs;                  /* "mtllib" names in order, each NUL-terminated; read at the join */
    GlmFaceCache faces;
};

/* Where the join sends a chunk's second pass: its first positions and, per
 * chunk group, the model's group and the chunk's share of its triangle list. */
struct GlmChunkPlace {
    GlmArray<uint32_t> group_index; /* the model's group */
    GlmArray<uint32_t> slot;        /* the chunk group that fills it here (0 when it is also group 0) */
    GlmArray<GLuint> fill;          /* next place in the group's triangle list */
    GlmArray<GLuint> fill_end;      /* first place after this chunk's share */
    GLuint first_vertex = 0, first_normal = 0, first_texcoord = 0, first_triangle = 0;
};

/* What a chunk's second pass produces. */
struct GlmChunkResult {
    GlmArray<GlmMaterialEvent> events;
    GlmArray<char> warnings;        /* the material messages, in order, printed when the chunks join */
    GLuint material = 0;            /* current material at the end, or GLM_INHERITED */
    uint32_t end_group = 0;         /* the model's group current at the end */
    GLuint end_vertex = 0, end_normal = 0, end_texcoord = 0, end_triangle = 0;
    bool inconsistent = false;      /* met more than the first pass counted here: reading in one chunk decides */
};

struct GlmChunk {
    const char* start = nullptr; /* where this chunk's reading begins */
    const char* limit = nullptr; /* the next chunk's start, or the end of the text */
    bool last = false;
    const char* stop = nullptr;  /* where a pass stood between words when the next word began at or after limit */
    GlmReadFailure failure = {0, 0, nullptr}; /* the chunk's first failure (status 0: none); reading stopped there */
    GlmChunkCounts counts;
    GlmChunkPlace place;
    GlmChunkResult result;
    ~GlmChunk() { free(failure.message); }
};

struct GlmPlanGroup {
    ModelGroup* record;
    uint64_t triangles; /* counted by the first pass */
};

struct GlmReadPlan {
    GlmReadOptions options;
    GlmChunk* chunks = nullptr; /* new[]: every chunk frees what it holds */
    size_t nchunks = 0;
    unsigned threads = 1;
    bool again = false; /* the chunks did not fit together: read in one chunk instead */
    double on_threads = 0; /* seconds spent running chunks */

    GlmNameTable groups;                 /* the model's groups by index, in the order they were first met */
    GlmArray<GlmPlanGroup> group_list;
    GlmNameTable materials;              /* the model's material names by index; a name finds its first material */
    ~GlmReadPlan() { delete[] chunks; }
};

/* What a pass's chunks work with. */
struct GlmPassContext {
    _GLMmodel* model;
    const GlmObjReader* reader;
};

/* Cuts data[0..size) into chunks (one when `one_chunk` or the text is
 * small). False when memory runs out. */
bool glm_plan_read(GlmReadPlan* plan, const char* data, size_t size, bool one_chunk);

/* Runs work(chunk, context) once for every chunk, on up to plan->threads
 * threads, all joined before it returns. */
void glm_run_chunks(GlmReadPlan* plan, void (*work)(GlmChunk* chunk, void* context), void* context);

/* The next word of a chunk's reading; false, with chunk->stop set to where
 * the reading stood between words, at the end of the text or when the next
 * word begins at or after the chunk's limit. Both passes stop by this rule. */
static inline bool glm_chunk_word(GlmChunk* chunk, GlmTextCursor* text, const char** word, size_t* length) {
    const char* between = text->at;
    if (text_skip_space(text) && text->at < chunk->limit && text_word_span(text, word, length)) return true;
    chunk->stop = between;
    return false;
}

/* Adds a group of that name to the model (at the head of its list) unless it
 * has one; its index, or GLM_NO_NAME when memory runs out. */
uint32_t glm_plan_group(_GLMmodel* model, GlmReadPlan* plan, const char* name);

/* Adds the model's group for entry `index` of plan->groups; false when memory runs out. */
bool glm_plan_record(_GLMmodel* model, GlmReadPlan* plan, uint32_t index);

/* Makes a chunk's failure the read's; returns GL_FALSE. */
GLboolean glm_take_failure(GlmReadFailure* failure, GlmReadFailure* chunk_failure);

/* The read's failure for memory that ran out; returns GL_FALSE. */
GLboolean glm_out_of_memory(GlmReadFailure* failure);

#endif
