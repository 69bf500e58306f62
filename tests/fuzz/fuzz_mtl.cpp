// MTL reader from arbitrary bytes: it never fails, always yields "default"
// first, and every material has a name.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "model/include2.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    _GLMmodel* model = (_GLMmodel*)calloc(1, sizeof *model);
    model->path = strdup("fuzz.obj");
    glmParseMTL(model, (const char*)data, size);
    glmParseMTL(model, (const char*)data, size); /* a second library replaces the first */
    if (model->nmaterials < 1 || !model->materials || strcmp(model->materials[0].name, "default") != 0) abort();
    for (GLuint i = 0; i < model->nmaterials; i++)
        if (!model->materials[i].name || model->materials[i].diffuse[3] != 1.0f) abort();
    glmDelete(model);
    return 0;
}
