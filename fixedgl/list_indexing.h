// Sharing equal vertices of a compiled list, so each is shaded once per
// replay, as the system's GL does for its lists.
#ifndef QO_FIXEDGL_LIST_INDEXING_H
#define QO_FIXEDGL_LIST_INDEXING_H

#include <stdint.h>

#include <vector>

#include "fixedgl/vertex.h"

// The distinct vertices (equal byte for byte) in order of first use, and
// for each vertex given its index among them, 16 bits wide (WebGL 1 has no
// wider indices without an extension). False, with nothing filled, when
// there are more distinct vertices than that reaches.
bool index_vertices(const std::vector<Vertex>& vertices, std::vector<Vertex>& distinct,
                    std::vector<uint16_t>& indices);

#endif
