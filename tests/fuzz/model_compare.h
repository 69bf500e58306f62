// Whether two models read from the same text are identical: every count,
// array element (bit for bit), group and material.
#ifndef QO_TESTS_FUZZ_MODEL_COMPARE_H
#define QO_TESTS_FUZZ_MODEL_COMPARE_H

#include <string.h>

#include "model/include2.h"

inline bool same_text(const char* a, const char* b) { return (!a && !b) || (a && b && strcmp(a, b) == 0); }

inline bool same_floats(const GLfloat* a, const GLfloat* b, size_t n) {
    return (!a && !b) || (a && b && memcmp(a, b, n * sizeof(GLfloat)) == 0);
}

inline bool same_model(const _GLMmodel* a, const _GLMmodel* b) {
    if (!same_text(a->path, b->path) || !same_text(a->mtllib, b->mtllib)) return false;
    if (a->nvertices != b->nvertices || a->nnormals != b->nnormals || a->ntexcoords != b->ntexcoords ||
        a->ntriangles != b->ntriangles || a->nmaterials != b->nmaterials || a->ngroups != b->ngroups)
        return false;
    if (!same_floats(a->vertices, b->vertices, 3 * ((size_t)a->nvertices + 1)) ||
        !same_floats(a->normals, b->normals, a->normals ? 3 * ((size_t)a->nnormals + 1) : 0) ||
        !same_floats(a->texcoords, b->texcoords, a->texcoords ? 2 * ((size_t)a->ntexcoords + 1) : 0))
        return false;
    if (a->ntriangles && memcmp(a->triangles, b->triangles, a->ntriangles * sizeof(ModelTriangle)) != 0) return false;
    for (GLuint i = 0; i < a->nmaterials; i++) {
        const ModelMaterial &x = a->materials[i], &y = b->materials[i];
        if (!same_text(x.name, y.name) || memcmp(x.diffuse, y.diffuse, sizeof x.diffuse) != 0 ||
            memcmp(x.ambient, y.ambient, sizeof x.ambient) != 0 ||
            memcmp(x.specular, y.specular, sizeof x.specular) != 0 ||
            memcmp(&x.shininess, &y.shininess, sizeof x.shininess) != 0)
            return false;
    }
    for (const ModelGroup *g = a->groups, *h = b->groups; g || h; g = g->next, h = h->next) {
        if (!g || !h || !same_text(g->name, h->name) || g->ntriangles != h->ntriangles || g->material != h->material)
            return false;
        if (g->ntriangles && memcmp(g->triangles, h->triangles, g->ntriangles * sizeof(GLuint)) != 0) return false;
    }
    return true;
}

#endif
