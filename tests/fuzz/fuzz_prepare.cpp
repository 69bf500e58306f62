// A model read from arbitrary OBJ bytes, prepared as the scene prepares its
// model: unitize, facet normals, vertex normals (at an angle taken from the
// input), then reversed twice. Every corner must end with a normal index
// inside the array, a second run must number alike, and two reversals must
// restore every bit. Run with -close_fd_mask=3: unused vertices warn on stderr.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "model/include2.h"

namespace {

int no_library(void*, const char*, const char**, size_t*) { return 0; }

void require(bool condition) {
    if (!condition) abort();
}

std::vector<GLint> corners(const _GLMmodel* m) {
    std::vector<GLint> c;
    for (GLuint i = 0; i < m->ntriangles; i++) {
        const ModelTriangle& t = m->triangles[i];
        c.insert(c.end(), {t.vert[0], t.vert[1], t.vert[2], t.norm[0], t.norm[1], t.norm[2], t.facet});
    }
    return c;
}

std::vector<GLfloat> copy(const GLfloat* a, GLuint n) { return std::vector<GLfloat>(a, a + 3 * ((size_t)n + 1)); }

bool same_bits(const std::vector<GLfloat>& a, const GLfloat* b) {
    return memcmp(a.data(), b, a.size() * sizeof(GLfloat)) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks the crease angle, from 0 to 255 degrees.
    if (size < 1) return 0;
    const GLfloat angle = data[0];
    GlmReadFailure failure;
    _GLMmodel* m = glmReadOBJBytes("fuzz.obj", (const char*)data + 1, size - 1, no_library, nullptr, &failure);
    free(failure.message);
    if (!m) return 0;

    GLfloat dimensions[3];
    glmDimensions(m, dimensions);
    glmUnitize(m);
    glmFacetNormals(m);
    require(m->nfacetnorms == m->ntriangles);
    glmVertexNormals(m, angle);
    require(m->nnormals <= 3 * (size_t)m->ntriangles);
    for (GLuint i = 0; i < m->ntriangles; i++)
        for (int k = 0; k < 3; k++) require(m->triangles[i].norm[k] >= 1 && (GLuint)m->triangles[i].norm[k] <= m->nnormals);

    std::vector<GLint> numbering = corners(m);
    std::vector<GLfloat> normals = copy(m->normals, m->nnormals);
    glmFacetNormals(m);
    glmVertexNormals(m, angle);
    require(corners(m) == numbering && same_bits(normals, m->normals));

    std::vector<GLfloat> facets = copy(m->facetnorms, m->nfacetnorms);
    glmReverseWinding(m);
    glmReverseWinding(m);
    require(corners(m) == numbering && same_bits(normals, m->normals) && same_bits(facets, m->facetnorms));

    glmDelete(m);
    return 0;
}
