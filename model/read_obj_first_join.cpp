// The first pass: its chunks read on threads, then joined in reading order.
// Material libraries are read here, in order, and the model's groups made in
// the order they were first met; the chunk that failed first decides the
// failure, as reading the text in one chunk would have stopped there.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/read_plan.h"

void glm_first_pass_chunk(GlmChunk* chunk, void* context);

/* Makes a chunk's failure the read's. */
GLboolean glm_take_failure(GlmReadFailure* failure, GlmReadFailure* chunk_failure) {
    free(failure->message);
    *failure = *chunk_failure;
    *chunk_failure = GlmReadFailure{0, 0, nullptr};
    return GL_FALSE;
}

/* The model's groups for a chunk's groups, and their counts. The first
 * chunk's are the model's own (their records made now, in order); another
 * chunk's group 0 is `current`, the rest are found or added by name. */
static bool join_groups(_GLMmodel* model, GlmReadPlan* plan, GlmChunk* c, uint32_t current) {
    const GlmChunkCounts* counts = &c->counts;
    const uint32_t n = counts->ngroups;
    GlmArray<uint32_t>& index = c->place.group_index;
    if (!index.reserve(n)) return false;
    index.count = n;
    const bool own = counts->groups == &plan->groups;
    index[0] = own ? 0 : current;
    for (uint32_t j = 1; j < n; j++) {
        index[j] = own ? j : glm_plan_group(model, plan, glm_names_at(counts->groups, j));
        if (index[j] == GLM_NO_NAME || (own && !glm_plan_record(model, plan, j))) return false;
    }
    for (uint32_t j = 0; j < n; j++) plan->group_list[index[j]].triangles += counts->group_triangles[j];
    return true;
}

/* Where each chunk's second pass writes: its first positions and, per chunk
 * group, its share of the group's triangle list. A named group that is also
 * the chunk's group 0 shares slot 0. */
static bool place_chunks(_GLMmodel* model, GlmReadPlan* plan) {
    GLuint vertex = 1, normal = 1, texcoord = 1, triangle = 0;
    for (uint32_t g = 0; g < model->ngroups; g++) plan->group_list[g].triangles = 0; /* now: placed so far */
    for (size_t k = 0; k < plan->nchunks; k++) {
        const GlmChunkCounts* c = &plan->chunks[k].counts;
        GlmChunkPlace* place = &plan->chunks[k].place;
        place->first_vertex = vertex, place->first_normal = normal, place->first_texcoord = texcoord;
        place->first_triangle = triangle;
        vertex += (GLuint)c->nvertices, normal += (GLuint)c->nnormals, texcoord += (GLuint)c->ntexcoords;
        triangle += (GLuint)c->ntriangles; /* each total was checked to fit */
        const size_t n = c->ngroups;
        if (!place->slot.reserve(n) || !place->fill.reserve(n) || !place->fill_end.reserve(n)) return false;
        place->slot.count = place->fill.count = place->fill_end.count = n;
        for (size_t j = 0; j < n; j++) {
            GlmPlanGroup* g = &plan->group_list[place->group_index[j]];
            uint32_t s = (j > 0 && place->group_index[j] == place->group_index[0]) ? 0 : (uint32_t)j;
            place->slot[j] = s;
            if (s == j) place->fill[j] = place->fill_end[j] = (GLuint)g->triangles;
            place->fill_end[s] += (GLuint)c->group_triangles[j];
            g->triangles += c->group_triangles[j];
        }
    }
    return true;
}

GLboolean glmFirstPass(_GLMmodel* model, GlmObjReader* reader) {
    GlmReadPlan* plan = reader->plan;
    GlmReadFailure* failure = reader->failure;
    if (glm_plan_group(model, plan, "default") != 0) return glm_out_of_memory(failure);
    GlmPassContext context = {model, reader};
    glm_run_chunks(plan, glm_first_pass_chunk, &context);

    uint64_t nvertices = 0, nnormals = 0, ntexcoords = 0, ntriangles = 0;
    uint32_t current = 0;
    for (size_t k = 0; k < plan->nchunks; k++) {
        GlmChunk* chunk = &plan->chunks[k];
        const GlmChunkCounts* c = &chunk->counts;
        for (size_t at = 0; at < c->mtllibs.count; at += strlen(&c->mtllibs[at]) + 1) {
            const char* name = &c->mtllibs[at];
            free(model->mtllib);
            model->mtllib = strdup(name);
            if (!model->mtllib) return glm_out_of_memory(failure);
            if (!glmReadMTLFrom(model, name, reader->library, reader->library_context, failure)) return GL_FALSE;
        }
        if (chunk->failure.status) return glm_take_failure(failure, &chunk->failure);
        if (!join_groups(model, plan, chunk, current)) return glm_out_of_memory(failure);
        current = chunk->place.group_index[c->last_group];
        nvertices += c->nvertices, nnormals += c->nnormals, ntexcoords += c->ntexcoords, ntriangles += c->ntriangles;
        /* The next chunk began mid-way through something this one read. */
        if (!chunk->last && chunk->stop > chunk->limit) {
            plan->again = true;
            return GL_FALSE;
        }
    }

    /* Each array holds count + 1 elements; keep every count a valid GLuint. */
    if (nvertices >= UINT32_MAX || nnormals >= UINT32_MAX || ntexcoords >= UINT32_MAX || ntriangles >= UINT32_MAX)
        return glm_fail(failure, 2, "glmReadOBJ() failed: \"%s\" holds too many elements.\n", model->path);
    model->nvertices = (GLuint)nvertices;
    model->nnormals = (GLuint)nnormals;
    model->ntexcoords = (GLuint)ntexcoords;
    model->ntriangles = (GLuint)ntriangles;

    for (uint32_t g = 0; g < model->ngroups; g++) {
        ModelGroup* group = plan->group_list[g].record;
        group->triangles = (GLuint*)glm_calloc_array(plan->group_list[g].triangles, sizeof(GLuint));
        if (!group->triangles) return glm_out_of_memory(failure);
    }
    if (!place_chunks(model, plan)) return glm_out_of_memory(failure);
    return GL_TRUE;
}
