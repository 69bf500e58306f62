// Group and material lookup by name.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"

ModelGroup* glmFindGroup(_GLMmodel* model, const char* name) {
    GLM_ASSERT(model);
    for (ModelGroup* group = model->groups; group; group = group->next)
        if (strcmp(name, group->name) == 0) return group;
    return nullptr;
}

ModelGroup* glmAddGroup(_GLMmodel* model, const char* name) {
    ModelGroup* group = glmFindGroup(model, name);
    if (group) return group;
    group = (ModelGroup*)calloc(1, sizeof *group);
    if (!group) return nullptr;
    group->name = strdup(name);
    if (!group->name) {
        free(group);
        return nullptr;
    }
    group->next = model->groups; /* newest first */
    model->groups = group;
    model->ngroups++;
    return group;
}

GLuint glmFindMaterial(_GLMmodel* model, const char* name) {
    for (GLuint i = 0; i < model->nmaterials; i++)
        if (model->materials[i].name && strcmp(model->materials[i].name, name) == 0) return i;
    printf("glmFindMaterial():  can't find material \"%s\".\n", name);
    return 0;
}
