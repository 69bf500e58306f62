// A library user's program, built against an installed Qo: reads a model and
// a picture and says what it found.
#include <stdio.h>
#include <stdlib.h>

#include "image/rgb_image.h"
#include "model/include2.h"

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
    glmDelete(model);

    RgbImage* picture = auxDIBImageLoadA(argv[2]);
    if (!picture) return 1;
    printf("picture: %d %d\n", (int)picture->width, (int)picture->height);
    free(picture->pixels);
    free(picture);
    return 0;
}
