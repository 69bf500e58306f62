// The triangles a GL primitive of n vertices is drawn as, as vertex indices
// in threes; quads split on the diagonal from their second to their fourth
// vertex, as the system's GL splits them. Points and lines give none.
#ifndef QO_FIXEDGL_TRIANGULATE_H
#define QO_FIXEDGL_TRIANGULATE_H

#include <stddef.h>

#include <vector>

#include "fixedgl/gl_api.h"

bool primitive_mode_known(GLenum mode);
void triangulate(GLenum mode, size_t n, std::vector<unsigned>& indices);

#endif
