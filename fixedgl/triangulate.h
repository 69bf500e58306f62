// The triangles a GL primitive of n vertices is drawn as, as vertex indices
// in threes. Which diagonal a quad is split on shows where its corners'
// colours differ; the system's GL splits a quad drawn in immediate mode from
// its first to its third vertex when no vertex of the draw is clipped and
// from its second to its fourth when one is, and a quad in a display list
// always from its second to its fourth. A quad strip's quads are split from
// their first vertex to their last. Points and lines give none.
#ifndef QO_FIXEDGL_TRIANGULATE_H
#define QO_FIXEDGL_TRIANGULATE_H

#include <stddef.h>

#include <vector>

#include "fixedgl/gl_api.h"

enum QuadSplit { kSplitFirstThird, kSplitSecondFourth };

bool primitive_mode_known(GLenum mode);
void triangulate(GLenum mode, size_t n, QuadSplit split, std::vector<unsigned>& indices);

#endif
