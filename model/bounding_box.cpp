// Bounding box of a model's vertices, its extents, and moving the model into
// a box around the origin.
#include <math.h>

#include "model/include2.h"

// Minimum and maximum of each axis over vertices 1..nvertices, starting from
// vertex 1 (visited again). Strict tests: a coordinate that is not a number
// changes neither bound. Needs at least one vertex.
static void bounds(const _GLMmodel* model, GLfloat min[3], GLfloat max[3]) {
    const GLfloat* v = model->vertices;
    for (int a = 0; a < 3; a++) min[a] = max[a] = v[3 + a];
    for (GLuint i = 1; i <= model->nvertices; i++) {
        for (int a = 0; a < 3; a++) {
            GLfloat c = v[3 * (size_t)i + a];
            if (c > max[a]) max[a] = c;
            if (min[a] > c) min[a] = c;
        }
    }
}

// The extent of an axis is the sum of the bounds' absolute values, not
// maximum - minimum: a box from 1 to 3 has extent 4.
static GLfloat extent(GLfloat min, GLfloat max) { return glmAbs(max) + glmAbs(min); }

void glmDimensions(_GLMmodel* model, GLfloat* dimensions) {
    GLM_ASSERT(model);
    GLM_ASSERT(model->vertices);
    GLM_ASSERT(dimensions);

    // Without vertices there is no vertex 1 to start from: the extents are 0.
    if (model->nvertices == 0) {
        dimensions[0] = dimensions[1] = dimensions[2] = 0;
        return;
    }
    GLfloat min[3], max[3];
    bounds(model, min, max);
    for (int a = 0; a < 3; a++) dimensions[a] = extent(min[a], max[a]);
}

GLfloat glmUnitize(_GLMmodel* model) {
    GLM_ASSERT(model);
    GLM_ASSERT(model->vertices);

    if (model->nvertices == 0) return 1;  // nothing to measure or move

    GLfloat min[3], max[3];
    bounds(model, min, max);
    GLfloat w = extent(min[0], max[0]);
    GLfloat h = extent(min[1], max[1]);
    GLfloat d = extent(min[2], max[2]);

    GLfloat centre[3];
    for (int a = 0; a < 3; a++) centre[a] = (max[a] + min[a]) / 2.0f;

    // A largest extent of 0 (every vertex at the origin), or one so small that
    // 2 / extent overflows, would give an infinite factor: the model is then
    // only centred, with factor 1.
    GLfloat scale = 2.0f / glmMax(glmMax(w, h), d);
    if (isinf(scale)) scale = 1;

    GLfloat* v = model->vertices;
    for (GLuint i = 1; i <= model->nvertices; i++) {
        for (int a = 0; a < 3; a++) {
            GLfloat c = v[3 * (size_t)i + a] - centre[a];
            v[3 * (size_t)i + a] = c * scale;
        }
    }
    return scale;
}
