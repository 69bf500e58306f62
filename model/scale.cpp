// Uniform scaling of a model's positions.
#include "model/include2.h"

void glmScale(_GLMmodel* model, GLfloat scale) {
    GLfloat* v = model->vertices;
    for (size_t i = 3; i < 3 * ((size_t)model->nvertices + 1); i++) v[i] *= scale;
}
