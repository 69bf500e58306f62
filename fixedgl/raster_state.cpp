// Blending, the depth test, shading, hints, the viewport, clearing and the
// pixel storage modes.
#include <string.h>

#include "fixedgl/calls.h"

namespace {

// As the system's GL takes them (GL 1.4's rules: colour factors on either
// side); saturation only for the source, the one side ES 2 has it.
bool blend_factor(GLenum f, bool source) {
    switch (f) {
        case GL_ZERO:
        case GL_ONE:
        case GL_SRC_ALPHA:
        case GL_ONE_MINUS_SRC_ALPHA:
        case GL_DST_ALPHA:
        case GL_ONE_MINUS_DST_ALPHA:
        case GL_SRC_COLOR:
        case GL_ONE_MINUS_SRC_COLOR:
        case GL_DST_COLOR:
        case GL_ONE_MINUS_DST_COLOR: return true;
        case GL_SRC_ALPHA_SATURATE: return source;
        default: return false;
    }
}

}  // namespace

void exec_blend_func(FixedglContext& c, GLenum sfactor, GLenum dfactor) {
    if (!blend_factor(sfactor, true) || !blend_factor(dfactor, false)) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    c.blend_src = sfactor;
    c.blend_dst = dfactor;
    state_changed(c);
}

void exec_depth_func(FixedglContext& c, GLenum func) {
    if (func < GL_NEVER || func > GL_ALWAYS) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    c.depth_func = func;
    state_changed(c);
}

void exec_depth_mask(FixedglContext& c, bool flag) {
    c.depth_mask = flag;
    state_changed(c);
}

// Smooth shading only: flat shading is remembered and drawn smooth.
void exec_shade_model(FixedglContext& c, GLenum mode) {
    if (mode != GL_SMOOTH && mode != GL_FLAT) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    c.shade_model = mode;
}

// Remembered; drawing is the same at every hint (perspective-correct, fog per fragment).
void exec_hint(FixedglContext& c, GLenum target, GLenum mode) {
    if (mode != GL_FASTEST && mode != GL_NICEST && mode != GL_DONT_CARE) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    switch (target) {
        case GL_PERSPECTIVE_CORRECTION_HINT: c.perspective_hint = mode; break;
        case GL_FOG_HINT: c.fog_hint = mode; break;
        case GL_LINE_SMOOTH_HINT: c.line_smooth_hint = mode; break;
        case GL_POINT_SMOOTH_HINT: c.point_smooth_hint = mode; break;
        case GL_POLYGON_SMOOTH_HINT: c.polygon_smooth_hint = mode; break;
        default: set_error(c, GL_INVALID_ENUM); break;
    }
}

void exec_viewport(FixedglContext& c, int x, int y, int width, int height) {
    if (width < 0 || height < 0) {
        set_error(c, GL_INVALID_VALUE);
        return;
    }
    c.viewport[0] = x;
    c.viewport[1] = y;
    c.viewport[2] = width;
    c.viewport[3] = height;
    state_changed(c);
}

void exec_clear_color(FixedglContext& c, const float* rgba) {
    for (int k = 0; k < 4; k++) c.clear_color[k] = rgba[k] < 0 ? 0 : rgba[k] > 1 ? 1 : rgba[k];
}

void exec_clear(FixedglContext& c, GLbitfield mask) {
    const GLbitfield known = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT | GL_ACCUM_BUFFER_BIT;
    if (mask & ~known) {
        set_error(c, GL_INVALID_VALUE);
        return;
    }
    flush_batch(c);  // what came before is drawn first
    if (c.discard) return;
    if (memcmp(c.es.clear_color, c.clear_color, sizeof c.clear_color) != 0) {
        es2.ClearColor(c.clear_color[0], c.clear_color[1], c.clear_color[2], c.clear_color[3]);
        memcpy(c.es.clear_color, c.clear_color, sizeof c.clear_color);
    }
    // The depth mask limits clears too.
    if ((mask & GL_DEPTH_BUFFER_BIT) && c.es.depth_mask != c.depth_mask) {
        es2.DepthMask(c.depth_mask ? GL_TRUE : GL_FALSE);
        c.es.depth_mask = c.depth_mask;
    }
    es2.Clear(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
}

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpBlendFunc, sfactor, dfactor))) return;
    exec_blend_func(*c, sfactor, dfactor);
}

void glDepthFunc(GLenum func) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpDepthFunc, func))) return;
    exec_depth_func(*c, func);
}

void glDepthMask(GLboolean flag) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpDepthMask, flag))) return;
    exec_depth_mask(*c, flag != GL_FALSE);
}

void glShadeModel(GLenum mode) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpShadeModel, mode))) return;
    exec_shade_model(*c, mode);
}

void glHint(GLenum target, GLenum mode) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpHint, target, mode))) return;
    exec_hint(*c, target, mode);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    ListOp op = make_op(kOpViewport);
    op.v[0] = (float)x;
    op.v[1] = (float)y;
    op.v[2] = (float)width;
    op.v[3] = (float)height;
    if (record_call(*c, op)) return;
    exec_viewport(*c, x, y, width, height);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    ListOp op = make_op(kOpClearColor);
    float rgba[4] = {red, green, blue, alpha};
    memcpy(op.v, rgba, sizeof rgba);
    if (record_call(*c, op)) return;
    exec_clear_color(*c, rgba);
}

void glClear(GLbitfield mask) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpClear, mask))) return;
    exec_clear(*c, mask);
}

// Not compiled into lists: client state.
void glPixelStorei(GLenum pname, GLint param) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    switch (pname) {
        case GL_UNPACK_ALIGNMENT:
        case GL_PACK_ALIGNMENT:
            if (param != 1 && param != 2 && param != 4 && param != 8) {
                set_error(*c, GL_INVALID_VALUE);
                return;
            }
            (pname == GL_UNPACK_ALIGNMENT ? c->unpack_alignment : c->pack_alignment) = param;
            return;
        case GL_UNPACK_ROW_LENGTH:
        case GL_UNPACK_SKIP_ROWS:
        case GL_UNPACK_SKIP_PIXELS:
        case GL_PACK_ROW_LENGTH:
        case GL_PACK_SKIP_ROWS:
        case GL_PACK_SKIP_PIXELS:
        case GL_UNPACK_SWAP_BYTES:
        case GL_PACK_SWAP_BYTES:
        case GL_UNPACK_LSB_FIRST:
        case GL_PACK_LSB_FIRST:
            // Only their start values are supported; others are refused.
            if (param != 0) set_error(*c, GL_INVALID_VALUE);
            return;
        default: set_error(*c, GL_INVALID_ENUM); return;
    }
}
