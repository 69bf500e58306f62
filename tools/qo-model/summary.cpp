// The summary that qo-model prints of a model.
#include "tools/qo-model/summary.h"

void printSummary(FILE* out, const _GLMmodel* model) {
    fprintf(out, "vertices: %u\n", model->nvertices);
    fprintf(out, "normals: %u\n", model->nnormals);
    fprintf(out, "texcoords: %u\n", model->ntexcoords);
    fprintf(out, "triangles: %u\n", model->ntriangles);
    fprintf(out, "groups: %u\n", model->ngroups);
    fprintf(out, "materials: %u\n", model->nmaterials);

    if (model->nvertices == 0) {
        fprintf(out, "bounds: none\n");
        return;
    }
    GLfloat lo[3], hi[3];
    for (int c = 0; c < 3; c++) lo[c] = hi[c] = model->vertices[3 + c];
    for (size_t i = 2; i <= model->nvertices; i++)
        for (int c = 0; c < 3; c++) {
            GLfloat v = model->vertices[3 * i + c];
            if (v < lo[c]) lo[c] = v;
            if (v > hi[c]) hi[c] = v;
        }
    fprintf(out, "bounds: %g %g %g .. %g %g %g\n", lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
}
