// Reading an OBJ model: the two passes over the text with the arrays sized in
// between, from memory or from a file; read again in one part when the parts
// the text was cut into did not fit together.
#include "model/read_obj.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <chrono>

#include "model/map_file.h"
#include "model/read_plan.h"
#include "model/read_support.h"

/* The model's arrays, sized from the first pass's counts. When the text was
 * read in one chunk with its faces kept, those triangles (every field set)
 * become the model's; otherwise they are zero-filled, so index fields that a
 * face does not set are 0 (element 0). */
static bool size_arrays(_GLMmodel* model, GlmReadPlan* plan) {
    model->vertices = (GLfloat*)glm_calloc_array(((size_t)model->nvertices + 1) * 3, sizeof(GLfloat));
    GlmFaceCache* faces = &plan->chunks[0].counts.faces;
    if (plan->nchunks == 1 && faces->kept && !faces->failed && faces->triangles.count == model->ntriangles) {
        size_t trimmed = faces->triangles.count ? faces->triangles.count : 1;
        ModelTriangle* kept = (ModelTriangle*)realloc(faces->triangles.items, trimmed * sizeof(ModelTriangle));
        if (kept) faces->triangles.items = kept; /* without the spare room */
        model->triangles = faces->triangles.release();
        faces->adopted = true;
    } else {
        model->triangles = (ModelTriangle*)glm_calloc_array(model->ntriangles, sizeof(ModelTriangle));
    }
    if (model->nnormals)
        model->normals = (GLfloat*)glm_calloc_array(((size_t)model->nnormals + 1) * 3, sizeof(GLfloat));
    if (model->ntexcoords)
        model->texcoords = (GLfloat*)glm_calloc_array(((size_t)model->ntexcoords + 1) * 2, sizeof(GLfloat));
    return model->vertices && model->triangles && (!model->nnormals || model->normals) &&
           (!model->ntexcoords || model->texcoords);
}

/* Reads the text in the chunks of one plan; null on failure, with *again set
 * when the chunks did not fit together and the text must be read in one. */
static _GLMmodel* read_planned(const char* path, const char* data, size_t size, GlmFileSource library,
                               void* library_context, GlmReadFailure* failure, const GlmReadOptions& options,
                               bool one_chunk, bool* again, size_t* parts, double* on_threads) {
    _GLMmodel* model = (_GLMmodel*)calloc(1, sizeof *model);
    if (!model) {
        glm_out_of_memory(failure);
        return nullptr;
    }
    model->path = strdup(path);
    GlmReadPlan plan;
    plan.options = options;
    bool ok = model->path && glm_plan_read(&plan, data, size, one_chunk);
    GlmObjReader reader = {text_cursor(data, size), library, library_context, failure, &plan};
    ok = ok && glmFirstPass(model, &reader);
    if (ok && !size_arrays(model, &plan)) {
        glm_fail(failure, 2, "glmReadOBJ() failed: out of memory for \"%s\".\n", path);
        ok = false;
    }
    ok = ok && glmSecondPass(model, &reader);
    *again = plan.again;
    *parts = plan.nchunks;
    *on_threads += plan.on_threads;
    if (!ok) {
        if (!failure->status && !*again) glm_out_of_memory(failure);
        glmDelete(model);
        return nullptr;
    }
    return model;
}

_GLMmodel* glm_read_obj_bytes(const char* path, const char* data, size_t size, GlmFileSource library,
                              void* library_context, GlmReadFailure* failure, const GlmReadOptions& options,
                              size_t* parts) {
    const auto started_at = std::chrono::steady_clock::now();
    *failure = GlmReadFailure{0, 0, nullptr};
    bool again;
    size_t chunks = 0;
    double on_threads = 0;
    _GLMmodel* model = read_planned(path, data, size, library, library_context, failure, options, false, &again,
                                    &chunks, &on_threads);
    if (again) {
        free(failure->message);
        *failure = GlmReadFailure{0, 0, nullptr};
        model = read_planned(path, data, size, library, library_context, failure, options, true, &again, &chunks,
                             &on_threads);
    }
    if (parts) *parts = chunks;
    if (options.times)
        *options.times = {std::chrono::duration<double>(std::chrono::steady_clock::now() - started_at).count(),
                          on_threads};
    return model;
}

_GLMmodel* glmReadOBJBytes(const char* path, const char* data, size_t size, GlmFileSource library,
                           void* library_context, GlmReadFailure* failure) {
    return glm_read_obj_bytes(path, data, size, library, library_context, failure, GlmReadOptions());
}

_GLMmodel* glm_read_obj(const char* filename, const GlmReadOptions& options) {
    GlmMappedFile file = {nullptr, 0, 0};
    const char* data;
    size_t size;
    if (!glmMapFile(&file, filename, &data, &size)) {
        fprintf(stderr, "glmReadOBJ() failed: can't open data file \"%s\".\n", filename);
        exit(1);
    }
    GlmMappedFile library = {nullptr, 0, 0};
    GlmReadFailure failure;
    _GLMmodel* model = glm_read_obj_bytes(filename, data, size, glmMapFile, &library, &failure, options);
    glmUnmapFile(&library);
    glmUnmapFile(&file);
    if (!model) {
        fputs(failure.message ? failure.message : "glmReadOBJ() failed.\n", failure.stream == 1 ? stdout : stderr);
        exit(failure.status);
    }
    return model;
}

_GLMmodel* glmReadOBJ(const char* filename) { return glm_read_obj(filename, GlmReadOptions()); }
