// A library user's program, built against an installed Qo: reads a model and
// a picture and says what it found. The model is read twice, from its file
// and from bytes in memory with the user's own source of material libraries,
// through the installed header alone.
#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <string>

#include "image/rgb_image.h"
#include "model/include2.h"

static std::string whole_file(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Material libraries from the working directory, each read into memory.
static int libraries(void* context, const char* filename, const char** data, size_t* size) {
    std::string* held = (std::string*)context;
    *held = whole_file(filename);
    *data = held->data();
    *size = held->size();
    return !held->empty();
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: consumer MODEL.obj PICTURE.bmp\n");
        return 2;
    }
    _GLMmodel* model = glmReadOBJ(argv[1]);
    glmUnitize(model);
    glmFacetNormals(model);
    glmVertexNormals(model, 90.0f);
    printf("vertices: %u\ntriangles: %u\ngroups: %u\nmaterials: %u\nnormals: %u\n", model->nvertices,
           model->ntriangles, model->ngroups, model->nmaterials, model->nnormals);
    std::string text = whole_file(argv[1]), library;
    GlmReadFailure failure;
    _GLMmodel* again = glmReadOBJBytes(argv[1], text.data(), text.size(), libraries, &library, &failure);
    if (!again || again->ntriangles != model->ntriangles || again->nmaterials != model->nmaterials) {
        fprintf(stderr, "read from memory: %s", failure.message ? failure.message : "a different model\n");
        return 1;
    }
    glmDelete(again);
    glmDelete(model);

    RgbImage* picture = auxDIBImageLoadA(argv[2]);
    if (!picture) return 1;
    printf("picture: %d %d\n", (int)picture->width, (int)picture->height);
    free(picture->pixels);
    free(picture);
    return 0;
}
