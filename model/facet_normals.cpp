// One unit normal per triangle.
#include <stdint.h>
#include <stdlib.h>

#include "model/checked_alloc.h"
#include "model/include2.h"

void glmFacetNormals(_GLMmodel* model) {
    GLM_ASSERT(model);
    GLM_ASSERT(model->vertices);

    // Facet indices are 32-bit signed.
    if (model->ntriangles > INT32_MAX) glmOutOfMemory("glmFacetNormals");

    free(model->facetnorms);
    model->facetnorms = NULL;
    model->nfacetnorms = model->ntriangles;
    GLfloat* fn = (GLfloat*)glmCheckedAlloc("glmFacetNormals", (size_t)model->ntriangles + 1, 3 * sizeof(GLfloat));
    fn[0] = fn[1] = fn[2] = 0;  // triple 0 is never used
    model->facetnorms = fn;

    const GLfloat* v = model->vertices;
    for (GLuint i = 0; i < model->ntriangles; i++) {
        ModelTriangle* t = &model->triangles[i];
        t->facet = (GLint)(i + 1);
        const GLfloat* p0 = &v[3 * (size_t)t->vert[0]];
        const GLfloat* p1 = &v[3 * (size_t)t->vert[1]];
        const GLfloat* p2 = &v[3 * (size_t)t->vert[2]];
        GLfloat u[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
        GLfloat w[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
        // Counter-clockwise corners 0, 1, 2 face the normal; zero area gives NaNs.
        GLfloat* n = &fn[3 * ((size_t)i + 1)];
        glmCross(u, w, n);
        glmNormalize(n);
    }
}
