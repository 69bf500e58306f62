// Releasing a model and everything it owns.
#include <stdlib.h>

#include "model/include2.h"

void glmDelete(_GLMmodel* model) {
    GLM_ASSERT(model);

    free(model->path);
    free(model->mtllib);
    free(model->vertices);
    free(model->normals);
    free(model->texcoords);
    free(model->facetnorms);
    free(model->triangles);

    if (model->materials) {
        for (GLuint i = 0; i < model->nmaterials; i++) free(model->materials[i].name);
        free(model->materials);
    }

    while (model->groups) {
        ModelGroup* group = model->groups;
        model->groups = group->next;
        free(group->name);
        free(group->triangles);
        free(group);
    }

    free(model);
}
