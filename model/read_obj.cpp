// Reading an OBJ model: the two passes over the text with the arrays sized in
// between, from memory or from a file; read again in one part when the parts
// the text was cut into did not join up as one reading.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"
#include "model/read_plan.h"
#include "model/read_support.h"
#include "model/text_cursor.h"

/* Reads the text in the chunks of one plan; null on failure, with *again set
 * when the chunks did not join up and the text must be read in one. */
static _GLMmodel* read_planned(const char* path, const char* data, size_t size, GlmFileSource library,
                               void* library_context, GlmReadFailure* failure, bool one_chunk, bool* again) {
    _GLMmodel* model = (_GLMmodel*)calloc(1, sizeof *model);
    if (!model) {
        glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
        return nullptr;
    }
    model->path = strdup(path);
    GlmReadPlan plan = {};
    bool ok = model->path && glm_plan_read(&plan, data, size, one_chunk);
    GlmObjReader reader = {text_cursor(data, size), library, library_context, failure, &plan};
    ok = ok && glmFirstPass(model, &reader);

    if (ok) {
        model->vertices = (GLfloat*)glm_calloc_array(((size_t)model->nvertices + 1) * 3, sizeof(GLfloat));
        GlmFaceCache* cache = plan.chunks[0].faces;
        if (plan.nchunks == 1 && cache && !cache->failed && cache->ntriangles == model->ntriangles) {
            /* The first pass's triangles, every field set, become the model's. */
            ModelTriangle* kept = (ModelTriangle*)realloc(cache->triangles, (cache->ntriangles ? cache->ntriangles : 1) *
                                                                                 sizeof(ModelTriangle));
            model->triangles = kept ? kept : cache->triangles;
            cache->triangles = nullptr;
            cache->adopted = true;
        } else {
            /* Zero-filled, so index fields a face does not set are 0 (element 0). */
            model->triangles = (ModelTriangle*)glm_calloc_array(model->ntriangles, sizeof(ModelTriangle));
        }
        if (model->nnormals)
            model->normals = (GLfloat*)glm_calloc_array(((size_t)model->nnormals + 1) * 3, sizeof(GLfloat));
        if (model->ntexcoords)
            model->texcoords = (GLfloat*)glm_calloc_array(((size_t)model->ntexcoords + 1) * 2, sizeof(GLfloat));
        ok = model->vertices && model->triangles && (!model->nnormals || model->normals) &&
             (!model->ntexcoords || model->texcoords);
        if (!ok) glm_fail(failure, 2, "glmReadOBJ() failed: out of memory for \"%s\".\n", path);
    }
    ok = ok && glmSecondPass(model, &reader);
    *again = plan.again;
    glm_read_last_parts = plan.nchunks;
    glm_plan_free(&plan);
    if (!ok) {
        if (!failure->status && !*again) glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
        glmDelete(model);
        return nullptr;
    }
    return model;
}

_GLMmodel* glmReadOBJBytes(const char* path, const char* data, size_t size, GlmFileSource library,
                           void* library_context, GlmReadFailure* failure) {
    *failure = GlmReadFailure{0, 0, nullptr};
    bool again;
    _GLMmodel* model = read_planned(path, data, size, library, library_context, failure, false, &again);
    if (again) {
        free(failure->message);
        *failure = GlmReadFailure{0, 0, nullptr};
        model = read_planned(path, data, size, library, library_context, failure, true, &again);
    }
    return model;
}

_GLMmodel* glmReadOBJ(const char* filename) {
    GlmMappedFile file = {nullptr, 0, 0};
    const char* data;
    size_t size;
    if (!glmMapFile(&file, filename, &data, &size)) {
        fprintf(stderr, "glmReadOBJ() failed: can't open data file \"%s\".\n", filename);
        exit(1);
    }
    GlmMappedFile library = {nullptr, 0, 0};
    GlmReadFailure failure;
    _GLMmodel* model = glmReadOBJBytes(filename, data, size, glmMapFile, &library, &failure);
    glmUnmapFile(&library);
    glmUnmapFile(&file);
    if (!model) {
        fputs(failure.message ? failure.message : "glmReadOBJ() failed.\n", failure.stream == 1 ? stdout : stderr);
        exit(failure.status);
    }
    return model;
}
