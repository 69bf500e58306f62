/* read_plan.h: reading an OBJ text in parts, on several threads.
 *
 * The text is cut into chunks at line starts. Each pass reads every chunk
 * as the one reader would from there, with the chunk's own counts, groups and
 * events, then the chunks are joined in order. A chunk starts where the
 * reader would be between two words: the chunk before it, read on past its
 * end, must stop between words no later than the cut (`stop` <= `limit`),
 * and its second pass must meet exactly what its first pass counted. When
 * they do not, the whole text is read again in one chunk; when they do, the
 * result is the one reading, bit for bit and message for message.
 */
#ifndef QO_MODEL_READ_PLAN_H
#define QO_MODEL_READ_PLAN_H

#include <stddef.h>
#include <stdint.h>

#include "model/include2.h"
#include "model/name_table.h"
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
    uint32_t group;   /* the model's group index */
    GLuint material;  /* or GLM_INHERITED */
};

struct GlmChunk {
    const char* start; /* where this chunk's reading begins */
    const char* limit; /* the next chunk's start, or the end of the text */
    bool last;

    /* First pass. Chunk groups are the entries of `groups`: in the first
     * chunk the model's own table, whose entry 0 is "default"; in the others
     * a table of their own, whose entry 0 has no name and stands for the
     * group current when the chunk begins. */
    uint64_t nvertices, nnormals, ntexcoords, ntriangles;
    GlmNameTable* groups;
    GlmNameTable own_groups;
    uint32_t ngroups; /* chunk groups: the entries the table had when the chunk's first pass ended */
    uint64_t* group_triangles; /* per chunk group */
    size_t group_triangles_capacity;
    GlmGroupSwitch* switches;
    size_t nswitches, switches_capacity;
    uint32_t last_group; /* the chunk group current at the end */
    char** mtllibs;      /* "mtllib" names in order; their libraries are read when the chunks join */
    size_t nmtllibs, mtllibs_capacity;
    GlmFaceCache* faces;
    const char* stop;       /* where the reading stood between words when the next word began at or after limit */
    GlmReadFailure failure; /* the chunk's first failure (status 0: none); reading stopped there */

    /* Set when the first pass's chunks join; per chunk group (slot). */
    uint32_t* group_index; /* the model's group */
    uint32_t* slot;        /* the chunk group that fills it here (0 when it is also group 0) */
    GLuint* fill;          /* next place in the group's triangle list */
    GLuint* fill_end;      /* first place after this chunk's share */
    GLuint first_vertex, first_normal, first_texcoord, first_triangle;

    /* Second pass. */
    GlmMaterialEvent* events;
    size_t nevents, events_capacity;
    char* warnings; /* the material messages, in order, printed when the chunks join */
    size_t warnings_size, warnings_capacity;
    GLuint material;          /* current material at the end, or GLM_INHERITED */
    uint32_t end_group;       /* the model's group current at the end */
    GLuint end_vertex, end_normal, end_texcoord, end_triangle;
    bool inconsistent;        /* met more than the first pass counted here: the one reading decides */
};

struct GlmPlanGroup {
    ModelGroup* record;
    uint64_t triangles; /* counted by the first pass */
};

struct GlmReadPlan {
    GlmChunk* chunks;
    size_t nchunks;
    unsigned threads;
    bool again; /* the chunks did not join up as one reading: read in one chunk instead */

    /* The model's groups by index, in the order they were first met. */
    GlmNameTable groups;
    GlmPlanGroup* group_list;
    size_t group_capacity;

    GlmNameTable materials; /* the model's material names by index; a name finds its first material */
};

/* What a pass's chunks work with. */
struct GlmPassContext {
    _GLMmodel* model;
    const GlmObjReader* reader;
};

/* Cuts data[0..size) into chunks (one when `one_chunk` or the text is
 * small). False when memory runs out. */
bool glm_plan_read(GlmReadPlan* plan, const char* data, size_t size, bool one_chunk);
void glm_plan_free(GlmReadPlan* plan);

/* Runs work(chunk, context) once for every chunk, on up to plan->threads
 * threads, all joined before it returns. */
void glm_run_chunks(GlmReadPlan* plan, void (*work)(GlmChunk* chunk, void* context), void* context);

/* Adds a group of that name to the model (at the head of its list) unless it
 * has one; its index, or GLM_NO_NAME when memory runs out. */
uint32_t glm_plan_group(_GLMmodel* model, GlmReadPlan* plan, const char* name);

/* Adds the model's group for entry `index` of plan->groups; false when memory runs out. */
bool glm_plan_record(_GLMmodel* model, GlmReadPlan* plan, uint32_t index);

/* Makes a chunk's failure the read's; returns GL_FALSE. */
GLboolean glm_take_failure(GlmReadFailure* failure, GlmReadFailure* chunk_failure);

/* Tests and benchmarks: how many threads read (0: QO_READ_THREADS, else
 * every core), and a chunk size that replaces the automatic one and splits
 * even small texts (0: automatic); with glm_read_cut_anywhere the cuts fall
 * exactly at multiples of it, not at line starts. */
extern unsigned glm_read_threads;
extern size_t glm_read_chunk_bytes;
extern bool glm_read_cut_anywhere;

/* Tests: how many chunks the last model or failure read came from (1 when the
 * text was read in one, or again in one after the chunks did not join). */
extern size_t glm_read_last_parts;

#endif
