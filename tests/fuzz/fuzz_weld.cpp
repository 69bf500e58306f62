// Welding through the grid against the plain algorithm, on arbitrary vectors
// and epsilons: any difference in count, unique vectors or overwritten x
// components stops the run.
//
// Byte 0 chooses how the rest is read: odd, as raw floats (the first one the
// epsilon); even, as small steps on a lattice (one byte per component, the
// first byte an epsilon in sixteenths), where merges and ties are frequent.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "model/include2.h"
#include "tests/support/weld_reference.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::vector<GLfloat> v(3, 0.0f);
    GLfloat epsilon;
    if (data[0] & 1) {
        size_t floats = (size - 1) / 4;
        if (floats < 1) return 0;
        memcpy(&epsilon, data + 1, 4);
        for (size_t i = 1; i + 2 < floats; i += 3) {
            GLfloat xyz[3];
            memcpy(xyz, data + 1 + 4 * i, 12);
            v.insert(v.end(), xyz, xyz + 3);
        }
    } else {
        if (size < 2) return 0;
        epsilon = (GLfloat)((int)data[1] - 64) / 16.0f;
        for (size_t i = 2; i + 2 < size; i += 3)
            for (int c = 0; c < 3; c++) v.push_back((GLfloat)((int)data[i + c] - 128) / 16.0f);
    }
    if (v.size() / 3 - 1 > 4096) return 0;

    std::vector<GLfloat> a = v, b = v;
    GLuint na = (GLuint)(v.size() / 3 - 1), nb = na;
    GLfloat* ua = glmWeldVectors(a.data(), &na, epsilon);
    GLfloat* ub = weldDirectly(b.data(), &nb, epsilon);
    if (na != nb || memcmp(ua, ub, sizeof(GLfloat) * 3 * ((size_t)na + 1)) != 0 ||
        memcmp(a.data(), b.data(), sizeof(GLfloat) * a.size()) != 0)
        abort();
    free(ua);
    free(ub);
    return 0;
}
