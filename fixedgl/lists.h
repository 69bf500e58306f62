// Display lists as the layer compiles them: the calls recorded in order, and
// the geometry in one ES 2 buffer per list, drawn in as few draws as the
// recorded calls allow. Geometry separated only by material, colour, normal
// and texture-coordinate calls is one draw: each vertex names an entry of a
// small material table that is filled at replay, when the recorded material
// calls run.
#ifndef QO_FIXEDGL_LISTS_H
#define QO_FIXEDGL_LISTS_H

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "fixedgl/gl_api.h"
#include "fixedgl/vertex.h"

enum ListOpKind : uint8_t {
    kOpEnable,
    kOpDisable,
    kOpMatrixMode,
    kOpLoadIdentity,
    kOpLoadMatrix,
    kOpMultMatrix,
    kOpPushMatrix,
    kOpPopMatrix,
    kOpTranslate,
    kOpRotate,
    kOpScale,
    kOpColor,
    kOpNormal,
    kOpTexCoord,
    kOpMaterial,
    kOpLight,
    kOpLightModel,
    kOpFog,
    kOpBlendFunc,
    kOpDepthFunc,
    kOpDepthMask,
    kOpShadeModel,
    kOpHint,
    kOpViewport,
    kOpClearColor,
    kOpClear,
    kOpBindTexture,
    kOpTexParameter,
    kOpCallList,
    kOpDraw,     // n: the calls after it that run before it is drawn
    kOpSegment,  // inside a draw: the vertices from here on use the next material entry
};

struct ListOp {
    ListOpKind kind;
    GLenum a, b;
    uint32_t n;  // the draw's index for kOpDraw; a count where a call needs one
    float v[16];
};

struct ListDraw {
    uint32_t first = 0, count = 0;  // vertices in the list's order (indices, when it has them)
    uint32_t inner_ops = 0;         // the calls recorded after the draw op that belong to it
    uint32_t segments = 1;          // material table entries used
    bool inherit_varies = false;    // per-vertex inherit flags needed
    float inherit[3] = {0, 0, 0};   // the flags, when the same for every vertex
    bool translucent = false;       // some vertex has a colour of its own with alpha below 1
};

struct DisplayList {
    std::vector<ListOp> ops;
    std::vector<ListDraw> draws;
    unsigned es_buffer = 0;
    unsigned es_indices = 0;  // 16-bit indices into es_buffer's distinct vertices; 0 for none
};

struct ListSlot {
    bool reserved = false;  // a name given out by glGenLists or used by glNewList
    bool defined = false;   // compiled
    DisplayList list;
};

struct ListTable {
    std::vector<ListSlot> slots;  // slot i holds list name i + 1
};

// A list while it is compiled.
struct ListBuilder {
    GLuint name = 0;
    GLenum mode = 0;
    DisplayList list;
    std::vector<Vertex> vertices;
    int open_draw = -1;  // the op index of the draw later geometry may join, or -1
    bool material_since_geometry = false;
    size_t primitive_first_op = 0;  // the ops recorded since glBegin start here
    // Whether the list has set each attribute yet, and to what; until it has,
    // vertices take the current one at replay.
    bool known_color = false, known_normal = false, known_texcoord = false;
    float color[4] = {0, 0, 0, 0};
    float normal[3] = {0, 0, 0};
    float texcoord[4] = {0, 0, 0, 0};
};

#endif
