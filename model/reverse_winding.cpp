// Turning every triangle over: corner order and normal directions.
#include "model/include2.h"

static void swap(GLint* a, GLint* b) {
    GLint t = *a;
    *a = *b;
    *b = t;
}

// Negation flips only the sign bit, so two reversals restore every bit.
static void negate(GLfloat* array, GLuint count) {
    if (!array) return;  // a count without its array: nothing to turn
    for (size_t i = 3; i < 3 * ((size_t)count + 1); i++) array[i] = -array[i];
}

void glmReverseWinding(_GLMmodel* model) {
    GLM_ASSERT(model);

    for (GLuint i = 0; i < model->ntriangles; i++) {
        ModelTriangle* t = &model->triangles[i];
        swap(&t->vert[0], &t->vert[2]);
        // The counts decide, not whether the arrays are present.
        if (model->nnormals) swap(&t->norm[0], &t->norm[2]);
        if (model->ntexcoords) swap(&t->tex[0], &t->tex[2]);
    }
    negate(model->facetnorms, model->nfacetnorms);
    negate(model->normals, model->nnormals);
}
