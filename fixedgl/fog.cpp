// Fog: mode, density, start, end and colour.
#include <string.h>

#include "fixedgl/calls.h"

void exec_fog(FixedglContext& c, GLenum pname, const float* params) {
    switch (pname) {
        case GL_FOG_MODE: {
            GLenum mode = (GLenum)params[0];
            if (mode != GL_LINEAR && mode != GL_EXP && mode != GL_EXP2) {
                set_error(c, GL_INVALID_ENUM);
                return;
            }
            c.fog_mode = mode;
            break;
        }
        case GL_FOG_DENSITY:
            if (params[0] < 0) {
                set_error(c, GL_INVALID_VALUE);
                return;
            }
            c.fog_density = params[0];
            break;
        case GL_FOG_START: c.fog_start = params[0]; break;
        case GL_FOG_END: c.fog_end = params[0]; break;
        case GL_FOG_COLOR: memcpy(c.fog_color, params, sizeof c.fog_color); break;
        case GL_FOG_INDEX: return;  // colour-index fog only
        default: set_error(c, GL_INVALID_ENUM); return;
    }
    state_changed(c);
}

void glFogfv(GLenum pname, const GLfloat* params) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    if (c->compiling) {
        ListOp op = make_op(kOpFog, pname);
        memcpy(op.v, params, (pname == GL_FOG_COLOR ? 4 : 1) * sizeof(float));
        if (record_call(*c, op)) return;
    }
    exec_fog(*c, pname, params);
}

void glFogf(GLenum pname, GLfloat param) {
    if (pname == GL_FOG_COLOR) {  // takes four values: not through glFogf
        if (fixedgl_current) set_error(*fixedgl_current, GL_INVALID_ENUM);
        return;
    }
    glFogfv(pname, &param);
}

void glFogi(GLenum pname, GLint param) {
    GLfloat value = (GLfloat)param;  // enumerants convert exactly
    glFogf(pname, value);
}
