// Welding as it is defined, without any index: every vector compared with
// each unique vector found so far, in order, the first glmEqual match giving
// its index. The tests, the fuzz target and the benchmark hold the library's
// grid-based welding to it, bit for bit.
#ifndef QO_TESTS_WELD_REFERENCE_H
#define QO_TESTS_WELD_REFERENCE_H

#include <stdlib.h>
#include <string.h>

#include "model/include2.h"

inline GLfloat* weldDirectly(GLfloat* vectors, GLuint* numvectors, GLfloat epsilon) {
    GLuint n = *numvectors;
    GLfloat* copies = (GLfloat*)malloc(sizeof(GLfloat) * 3 * ((size_t)n + 1));
    memcpy(copies, vectors, sizeof(GLfloat) * 3 * ((size_t)n + 1));
    GLuint k = 0;
    for (GLuint i = 1; i <= n; i++) {
        GLuint index = 0;
        for (GLuint j = 1; j <= k; j++)
            if (glmEqual(&vectors[3 * (size_t)i], &copies[3 * (size_t)j], epsilon)) {
                index = j;
                break;
            }
        if (index == 0) {
            k++;
            memcpy(&copies[3 * (size_t)k], &vectors[3 * (size_t)i], 3 * sizeof(GLfloat));
            index = k;
        }
        vectors[3 * (size_t)i] = (GLfloat)index;
    }
    *numvectors = k;
    return copies;
}

#endif
