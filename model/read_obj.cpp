// Reading an OBJ model: the two passes over the text with the arrays sized in
// between, from memory or from a file.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"
#include "model/read_support.h"
#include "model/text_cursor.h"

_GLMmodel* glmReadOBJBytes(const char* path, const char* data, size_t size, GlmFileSource library,
                           void* library_context, GlmReadFailure* failure) {
    failure->status = 0;
    failure->stream = 0;
    failure->message = nullptr;

    _GLMmodel* model = (_GLMmodel*)calloc(1, sizeof *model);
    if (!model) {
        glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
        return nullptr;
    }
    model->path = strdup(path);
    GlmObjReader reader = {text_cursor(data, size), library, library_context, failure, nullptr};
    bool ok = model->path && glmFirstPass(model, &reader);

    /* Zero-filled, so index fields a face does not set are 0 (element 0). */
    if (ok) {
        model->vertices = (GLfloat*)glm_calloc_array(((size_t)model->nvertices + 1) * 3, sizeof(GLfloat));
        model->triangles = (ModelTriangle*)glm_calloc_array(model->ntriangles, sizeof(ModelTriangle));
        if (model->nnormals)
            model->normals = (GLfloat*)glm_calloc_array(((size_t)model->nnormals + 1) * 3, sizeof(GLfloat));
        if (model->ntexcoords)
            model->texcoords = (GLfloat*)glm_calloc_array(((size_t)model->ntexcoords + 1) * 2, sizeof(GLfloat));
        ok = model->vertices && model->triangles && (!model->nnormals || model->normals) &&
             (!model->ntexcoords || model->texcoords);
        if (!ok) glm_fail(failure, 2, "glmReadOBJ() failed: out of memory for \"%s\".\n", path);
    }
    if (ok) {
        reader.text.at = reader.text.begin;
        ok = glmSecondPass(model, &reader);
    }
    free(reader.group_capacity);
    if (!ok) {
        if (!failure->status) glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
        glmDelete(model);
        return nullptr;
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
