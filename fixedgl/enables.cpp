// glEnable, glDisable and glIsEnabled over GL 1.1's capabilities. Those
// that change drawing here have fields of their own; the others are only
// remembered, so glIsEnabled answers for them as GL does.
#include <string.h>

#include <algorithm>

#include "fixedgl/calls.h"

namespace {

// GL 1.1's capabilities that the layer remembers without drawing by them.
bool remembered_only(GLenum cap) {
    switch (cap) {
        case GL_ALPHA_TEST:
        case GL_AUTO_NORMAL:
        case GL_COLOR_LOGIC_OP:
        case GL_INDEX_LOGIC_OP:
        case GL_LINE_SMOOTH:
        case GL_LINE_STIPPLE:
        case GL_POINT_SMOOTH:
        case GL_POLYGON_OFFSET_FILL:
        case GL_POLYGON_OFFSET_LINE:
        case GL_POLYGON_OFFSET_POINT:
        case GL_POLYGON_SMOOTH:
        case GL_POLYGON_STIPPLE:
        case GL_SCISSOR_TEST:
        case GL_STENCIL_TEST:
        case GL_TEXTURE_1D:
        case GL_TEXTURE_GEN_Q:
        case GL_TEXTURE_GEN_R:
        case GL_TEXTURE_GEN_S:
        case GL_TEXTURE_GEN_T:
        case GL_CLIP_PLANE0:
        case GL_CLIP_PLANE1:
        case GL_CLIP_PLANE2:
        case GL_CLIP_PLANE3:
        case GL_CLIP_PLANE4:
        case GL_CLIP_PLANE5:
        case GL_MAP1_COLOR_4:
        case GL_MAP1_INDEX:
        case GL_MAP1_NORMAL:
        case GL_MAP1_TEXTURE_COORD_1:
        case GL_MAP1_TEXTURE_COORD_2:
        case GL_MAP1_TEXTURE_COORD_3:
        case GL_MAP1_TEXTURE_COORD_4:
        case GL_MAP1_VERTEX_3:
        case GL_MAP1_VERTEX_4:
        case GL_MAP2_COLOR_4:
        case GL_MAP2_INDEX:
        case GL_MAP2_NORMAL:
        case GL_MAP2_TEXTURE_COORD_1:
        case GL_MAP2_TEXTURE_COORD_2:
        case GL_MAP2_TEXTURE_COORD_3:
        case GL_MAP2_TEXTURE_COORD_4:
        case GL_MAP2_VERTEX_3:
        case GL_MAP2_VERTEX_4:
            return true;
        default:
            return false;
    }
}

// The field of a capability that changes drawing, or null.
bool* drawing_switch(FixedglContext& c, GLenum cap) {
    switch (cap) {
        case GL_LIGHTING: return &c.lighting;
        case GL_COLOR_MATERIAL: return &c.color_material;
        case GL_NORMALIZE: return &c.normalize;
        case GL_FOG: return &c.fog;
        case GL_TEXTURE_2D: return &c.texture_2d;
        case GL_BLEND: return &c.blend;
        case GL_DEPTH_TEST: return &c.depth_test;
        case GL_CULL_FACE: return &c.cull_face;
        case GL_DITHER: return &c.dither;
        default:
            if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights) return &c.light_enabled[cap - GL_LIGHT0];
            return nullptr;
    }
}

}  // namespace

void exec_enable(FixedglContext& c, GLenum cap, bool enable) {
    if (bool* field = drawing_switch(c, cap)) {
        if (*field == enable) return;
        *field = enable;
        state_changed(c);
        // Colour material takes the current colour at once.
        if (cap == GL_COLOR_MATERIAL && enable) {
            float current[4];
            memcpy(current, c.color, sizeof current);
            exec_color(c, current);
        }
        return;
    }
    if (!remembered_only(cap)) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    auto at = std::find(c.other_enabled.begin(), c.other_enabled.end(), cap);
    if (enable && at == c.other_enabled.end()) c.other_enabled.push_back(cap);
    if (!enable && at != c.other_enabled.end()) c.other_enabled.erase(at);
}

void glEnable(GLenum cap) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpEnable, cap))) return;
    exec_enable(*c, cap, true);
}

void glDisable(GLenum cap) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpDisable, cap))) return;
    exec_enable(*c, cap, false);
}

GLboolean glIsEnabled(GLenum cap) {
    FixedglContext* c = outside_begin();
    if (!c) return GL_FALSE;
    if (bool* field = drawing_switch(*c, cap)) return *field ? GL_TRUE : GL_FALSE;
    if (!remembered_only(cap)) {
        set_error(*c, GL_INVALID_ENUM);
        return GL_FALSE;
    }
    return std::find(c->other_enabled.begin(), c->other_enabled.end(), cap) != c->other_enabled.end() ? GL_TRUE
                                                                                                       : GL_FALSE;
}
