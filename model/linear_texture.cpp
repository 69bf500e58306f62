// Texture coordinates by a planar projection of the vertex positions onto x and z.
#include <stdlib.h>

#include "model/include2.h"

void glmLinearTexture(_GLMmodel* model) {
    GLM_ASSERT(model);

    free(model->texcoords);
    model->ntexcoords = model->nvertices;
    model->texcoords = (GLfloat*)malloc(((size_t)model->nvertices + 1) * 2 * sizeof(GLfloat));
    GLM_ASSERT(model->texcoords);

    GLfloat dimensions[3];
    glmDimensions(model, dimensions);
    GLfloat scalefactor = 2.0f / glmAbs(glmMax(glmMax(dimensions[0], dimensions[1]), dimensions[2]));

    for (size_t i = 1; i <= model->nvertices; i++) {
        GLfloat x = model->vertices[3 * i + 0] * scalefactor;
        GLfloat z = model->vertices[3 * i + 2] * scalefactor;
        model->texcoords[2 * i + 0] = (GLfloat)((x + 1.0) / 2.0);
        model->texcoords[2 * i + 1] = (GLfloat)((z + 1.0) / 2.0);
    }

    for (ModelGroup* group = model->groups; group; group = group->next)
        for (GLuint i = 0; i < group->ntriangles; i++) {
            if (group->triangles[i] >= model->ntriangles) continue;  // names no triangle
            ModelTriangle* t = &model->triangles[group->triangles[i]];
            t->tex[0] = t->vert[0];
            t->tex[1] = t->vert[1];
            t->tex[2] = t->vert[2];
        }
}
