// Per-corner vertex normals, smoothed across edges flatter than a crease angle.
//
// Normals are numbered vertex by vertex in increasing vertex order; within a
// vertex, the averaged normal of the corners that join it comes first, then
// one copy of the facet normal for every corner that does not join, in the
// order of the vertex's use list: descending triangle position, and within a
// triangle descending corner. The reference a vertex's corners are compared
// with is the facet normal of the highest-positioned triangle using it.
//
// The use lists live in one array, grouped by vertex (a counting sort), in
// exactly that list order; each entry is a corner id 3 * triangle + corner.
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "model/checked_alloc.h"
#include "model/include2.h"

static const uint32_t kMerged = 0x80000000u;  // corner ids stay below 2^31

void glmVertexNormals(_GLMmodel* model, GLfloat angle) {
    GLM_ASSERT(model);
    GLM_ASSERT(model->facetnorms);

    // The threshold in double, then rounded: 90 degrees gives 6.123234e-17, not 0.
    GLfloat threshold = (GLfloat)cos((double)angle * 3.141592653589793 / 180.0);

    const size_t ntriangles = model->ntriangles;
    const size_t nvertices = model->nvertices;
    const size_t ncorners = 3 * ntriangles;
    // Normal indices are 32-bit signed and corner ids must leave the top bit free.
    if (ncorners + 1 > INT32_MAX) glmOutOfMemory("glmVertexNormals");

    free(model->normals);
    model->normals = NULL;
    // Working array sized for one normal per corner, compacted at the end.
    GLfloat* normals = (GLfloat*)glmCheckedAlloc("glmVertexNormals", ncorners + 1, 3 * sizeof(GLfloat));
    normals[0] = normals[1] = normals[2] = 0;  // triple 0 is never used
    model->normals = normals;

    ModelTriangle* triangles = model->triangles;
    const GLfloat* facetnorms = model->facetnorms;

    // offsets[j]: first entry of vertex j's list; its list ends at offsets[j + 1].
    uint32_t* offsets = (uint32_t*)glmCheckedCalloc("glmVertexNormals", nvertices + 2, sizeof(uint32_t));
    uint32_t* uses = (uint32_t*)glmCheckedAlloc("glmVertexNormals", ncorners, sizeof(uint32_t));

    for (size_t i = 0; i < ntriangles; i++)
        for (int k = 0; k < 3; k++) offsets[triangles[i].vert[k]]++;
    uint32_t sum = 0;
    for (size_t j = 0; j <= nvertices + 1; j++) offsets[j] = sum += offsets[j];  // inclusive: ends
    // Filling from each list's end backwards in push order (triangle, then
    // corner, ascending) leaves the newest push first, and offsets[j] at the start.
    for (size_t i = 0; i < ntriangles; i++)
        for (uint32_t k = 0; k < 3; k++) uses[--offsets[triangles[i].vert[k]]] = (uint32_t)(3 * i) + k;

    GLuint next = 1;  // next free normal slot
    for (size_t j = 1; j <= nvertices; j++) {
        const uint32_t begin = offsets[j], end = offsets[j + 1];
        if (begin == end) {
            fputs("glmVertexNormals(): vertex w/o a triangle\n", stderr);
            continue;  // such a vertex gets no normal
        }

        const GLfloat* ref = &facetnorms[3 * (size_t)triangles[uses[begin] / 3].facet];
        GLfloat average[3] = {0, 0, 0};
        bool joined = false;
        for (uint32_t p = begin; p < end; p++) {
            const GLfloat* f = &facetnorms[3 * (size_t)triangles[uses[p] / 3].facet];
            GLfloat d = f[0] * ref[0] + f[1] * ref[1] + f[2] * ref[2];
            if (d > threshold) {  // strict; a NaN never joins
                uses[p] |= kMerged;
                average[0] += f[0];
                average[1] += f[1];
                average[2] += f[2];
                joined = true;
            }
        }

        GLuint averaged = 0;
        if (joined) {
            glmNormalize(average);
            memcpy(&normals[3 * (size_t)next], average, sizeof average);
            averaged = next++;
        }

        // Every entry serves the corner that made it. For the lowest corner of a
        // triangle using j this is the corner found by testing corners 0, 1, 2
        // for vert == j; the entries of a repeated vertex's other corners give
        // those corners their own index too, so every corner ends with a normal.
        for (uint32_t p = begin; p < end; p++) {
            const uint32_t use = uses[p] & ~kMerged;
            ModelTriangle* t = &triangles[use / 3];
            if (uses[p] & kMerged) {
                t->norm[use % 3] = (GLint)averaged;
            } else {
                memcpy(&normals[3 * (size_t)next], &facetnorms[3 * (size_t)t->facet], 3 * sizeof(GLfloat));
                t->norm[use % 3] = (GLint)next++;
            }
        }
    }
    model->nnormals = next - 1;

    free(offsets);
    free(uses);

    // Keep exactly nnormals + 1 triples.
    GLfloat* compact = (GLfloat*)realloc(normals, ((size_t)next) * 3 * sizeof(GLfloat));
    if (compact) model->normals = compact;
}
