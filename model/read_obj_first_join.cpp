// The first pass: its chunks read on threads, then joined in reading order.
// Material libraries are read here, in order, and the model's groups made in
// the order they were first met; the chunk that failed first decides the
// failure, as the one reading would have stopped there.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/read_plan.h"

void glm_first_pass_chunk(GlmChunk* chunk, void* context);

static GLboolean out_of_memory(GlmReadFailure* failure) {
    return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
}

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
    const uint32_t n = c->ngroups;
    c->group_index = (uint32_t*)malloc((size_t)n * sizeof(uint32_t));
    if (!c->group_index) return false;
    const bool own = c->groups == &plan->groups;
    c->group_index[0] = own ? 0 : current;
    for (uint32_t j = 1; j < n; j++) {
        c->group_index[j] = own ? j : glm_plan_group(model, plan, glm_names_at(c->groups, j));
        if (c->group_index[j] == GLM_NO_NAME || (own && !glm_plan_record(model, plan, j))) return false;
    }
    for (uint32_t j = 0; j < n; j++) plan->group_list[c->group_index[j]].triangles += c->group_triangles[j];
    return true;
}

/* Where each chunk's second pass writes: its first positions and, per chunk
 * group, its share of the group's triangle list. A named group that is also
 * the chunk's group 0 shares slot 0. */
static bool place_chunks(_GLMmodel* model, GlmReadPlan* plan) {
    GLuint vertex = 1, normal = 1, texcoord = 1, triangle = 0;
    for (uint32_t g = 0; g < model->ngroups; g++) plan->group_list[g].triangles = 0; /* now: placed so far */
    for (size_t k = 0; k < plan->nchunks; k++) {
        GlmChunk* c = &plan->chunks[k];
        c->first_vertex = vertex, c->first_normal = normal, c->first_texcoord = texcoord, c->first_triangle = triangle;
        vertex += (GLuint)c->nvertices, normal += (GLuint)c->nnormals, texcoord += (GLuint)c->ntexcoords;
        triangle += (GLuint)c->ntriangles; /* each total was checked to fit */
        size_t n = c->ngroups;
        c->slot = (uint32_t*)malloc(n * sizeof(uint32_t));
        c->fill = (GLuint*)malloc(n * sizeof(GLuint));
        c->fill_end = (GLuint*)malloc(n * sizeof(GLuint));
        if (!c->slot || !c->fill || !c->fill_end) return false;
        for (size_t j = 0; j < n; j++) {
            GlmPlanGroup* g = &plan->group_list[c->group_index[j]];
            uint32_t s = (j > 0 && c->group_index[j] == c->group_index[0]) ? 0 : (uint32_t)j;
            c->slot[j] = s;
            if (s == j) c->fill[j] = c->fill_end[j] = (GLuint)g->triangles;
            c->fill_end[s] += (GLuint)c->group_triangles[j];
            g->triangles += c->group_triangles[j];
        }
    }
    return true;
}

GLboolean glmFirstPass(_GLMmodel* model, GlmObjReader* reader) {
    GlmReadPlan* plan = reader->plan;
    GlmReadFailure* failure = reader->failure;
    if (glm_plan_group(model, plan, "default") != 0) return out_of_memory(failure);
    GlmPassContext context = {model, reader};
    glm_run_chunks(plan, glm_first_pass_chunk, &context);

    uint64_t nvertices = 0, nnormals = 0, ntexcoords = 0, ntriangles = 0;
    uint32_t current = 0;
    for (size_t k = 0; k < plan->nchunks; k++) {
        GlmChunk* c = &plan->chunks[k];
        for (size_t m = 0; m < c->nmtllibs; m++) {
            free(model->mtllib);
            model->mtllib = strdup(c->mtllibs[m]);
            if (!model->mtllib) return out_of_memory(failure);
            if (!glmReadMTLFrom(model, c->mtllibs[m], reader->library, reader->library_context, failure))
                return GL_FALSE;
        }
        if (c->failure.status) return glm_take_failure(failure, &c->failure);
        if (!join_groups(model, plan, c, current)) return out_of_memory(failure);
        current = c->group_index[c->last_group];
        nvertices += c->nvertices, nnormals += c->nnormals, ntexcoords += c->ntexcoords, ntriangles += c->ntriangles;
        /* The next chunk began mid-way through something this one read. */
        if (!c->last && c->stop > c->limit) {
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
        if (!group->triangles) return out_of_memory(failure);
    }
    if (!place_chunks(model, plan)) return out_of_memory(failure);
    return GL_TRUE;
}
