// The second pass: its chunks read on threads, then joined in reading order.
// The material messages come out in order, up to the failure that the one
// reading would have stopped at, and the groups take their materials in the
// order the chunks set them.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "model/read_plan.h"

void glm_second_pass_chunk(GlmChunk* chunk, void* context);

/* Whether a chunk ended exactly where the next one began, as the first pass
 * found: between words before the cut, with its counts and current group. */
static bool joins_next(const GlmChunk* c) {
    const GlmChunkResult* r = &c->result;
    const GlmChunkPlace* next = &(c + 1)->place;
    return c->stop <= c->limit && r->end_vertex == next->first_vertex && r->end_normal == next->first_normal &&
           r->end_texcoord == next->first_texcoord && r->end_triangle == next->first_triangle &&
           r->end_group == next->group_index[0];
}

static void print_warnings(const GlmReadPlan* plan, size_t through) {
    for (size_t k = 0; k <= through; k++) {
        const GlmArray<char>& warnings = plan->chunks[k].result.warnings;
        if (warnings.count) fwrite(warnings.items, 1, warnings.count, stdout);
    }
}

GLboolean glmSecondPass(_GLMmodel* model, GlmObjReader* reader) {
    GlmReadPlan* plan = reader->plan;
    /* Indices as in the array: a name finds its first material, and a
     * material without a name is never found. */
    for (GLuint i = 0; model->materials && i < model->nmaterials; i++)
        if (glm_names_append(&plan->materials, model->materials[i].name) == GLM_NO_NAME)
            return glm_out_of_memory(reader->failure);
    GlmPassContext context = {model, reader};
    glm_run_chunks(plan, glm_second_pass_chunk, &context);

    size_t last = plan->nchunks - 1;
    for (size_t k = 0; k <= last; k++) {
        GlmChunk* c = &plan->chunks[k];
        if (c->failure.status) {
            print_warnings(plan, k);
            return glm_take_failure(reader->failure, &c->failure);
        }
        if (c->result.inconsistent || (k < last && !joins_next(c))) {
            plan->again = true;
            return GL_FALSE;
        }
    }
    print_warnings(plan, last);

    GLuint material = 0;
    for (size_t k = 0; k <= last; k++) {
        const GlmChunkResult* r = &plan->chunks[k].result;
        for (size_t e = 0; e < r->events.count; e++) {
            const GlmMaterialEvent* event = &r->events[e];
            plan->group_list[event->group].record->material = event->material == GLM_INHERITED ? material : event->material;
        }
        if (r->material != GLM_INHERITED) material = r->material;
    }

    /* Fewer triangles than counted would leave triangles in no group. (Fewer
     * positions, normals or coordinates than counted leave zeros, harmless.) */
    GLuint read = plan->chunks[last].result.end_triangle;
    if (read != model->ntriangles)
        return glm_fail(reader->failure, 2, "glmReadOBJ() failed: \"%s\": %u triangles counted but %u read.\n",
                        model->path, model->ntriangles, read);
    /* Every group's share is full: none took more, and all took as many as counted. */
    for (uint32_t g = 0; g < model->ngroups; g++) plan->group_list[g].record->ntriangles = (GLuint)plan->group_list[g].triangles;
    return GL_TRUE;
}
