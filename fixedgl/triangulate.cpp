// Primitives into triangles, each keeping its primitive's winding.
#include "fixedgl/triangulate.h"

bool primitive_mode_known(GLenum mode) { return mode <= GL_POLYGON; }

void triangulate(GLenum mode, size_t n, QuadSplit split, std::vector<unsigned>& out) {
    out.clear();
    auto tri = [&](size_t a, size_t b, size_t c) {
        out.push_back((unsigned)a);
        out.push_back((unsigned)b);
        out.push_back((unsigned)c);
    };
    switch (mode) {
        case GL_TRIANGLES:
            for (size_t i = 0; i + 2 < n; i += 3) tri(i, i + 1, i + 2);
            break;
        case GL_TRIANGLE_STRIP:
            for (size_t i = 0; i + 2 < n; i++) {
                if (i & 1)
                    tri(i + 1, i, i + 2);
                else
                    tri(i, i + 1, i + 2);
            }
            break;
        case GL_TRIANGLE_FAN:
        case GL_POLYGON:
            for (size_t i = 1; i + 1 < n; i++) tri(0, i, i + 1);
            break;
        case GL_QUADS:
            for (size_t i = 0; i + 3 < n; i += 4) {
                if (split == kSplitFirstThird) {
                    tri(i, i + 1, i + 2);
                    tri(i, i + 2, i + 3);
                } else {
                    tri(i, i + 1, i + 3);
                    tri(i + 1, i + 2, i + 3);
                }
            }
            break;
        case GL_QUAD_STRIP:
            // Quad k is vertices 2k, 2k+1, 2k+3, 2k+2 around; split from 2k to 2k+3.
            for (size_t i = 0; i + 3 < n; i += 2) {
                tri(i, i + 1, i + 3);
                tri(i, i + 3, i + 2);
            }
            break;
        default:
            break;  // points and lines
    }
}
