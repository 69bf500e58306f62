// Lights, the light model and materials, with the error rules of the
// system's GL; and colour material, which makes the current colour the
// ambient and diffuse material of both faces while it is on.
#include <string.h>

#include "fixedgl/calls.h"

void exec_color(FixedglContext& c, const float* rgba) {
    memcpy(c.color, rgba, sizeof c.color);
    if (!c.color_material) return;
    // No draw reads the tracked terms while colour material is on (they come
    // from the vertex colour), so the state a draw depends on is unchanged.
    for (Material* m : {&c.front, &c.back}) {
        memcpy(m->ambient, rgba, sizeof m->ambient);
        memcpy(m->diffuse, rgba, sizeof m->diffuse);
    }
}

void exec_normal(FixedglContext& c, const float* xyz) { memcpy(c.normal, xyz, sizeof c.normal); }

void exec_texcoord(FixedglContext& c, const float* strq) { memcpy(c.texcoord, strq, sizeof c.texcoord); }

void exec_material(FixedglContext& c, GLenum face, GLenum pname, const float* params) {
    if (face != GL_FRONT && face != GL_BACK && face != GL_FRONT_AND_BACK) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    if (pname == GL_SHININESS && (params[0] < 0 || params[0] > 128)) {
        // Rejected, and the old value kept (a NaN passes these tests, and is taken).
        set_error(c, GL_INVALID_VALUE);
        return;
    }
    if (pname == GL_COLOR_INDEXES) return;  // colour-index lighting only
    for (Material* m : {&c.front, &c.back}) {
        if ((m == &c.front && face == GL_BACK) || (m == &c.back && face == GL_FRONT)) continue;
        switch (pname) {
            case GL_AMBIENT: memcpy(m->ambient, params, sizeof m->ambient); break;
            case GL_DIFFUSE: memcpy(m->diffuse, params, sizeof m->diffuse); break;
            case GL_SPECULAR: memcpy(m->specular, params, sizeof m->specular); break;
            case GL_EMISSION: memcpy(m->emission, params, sizeof m->emission); break;
            case GL_SHININESS: m->shininess = params[0]; break;
            case GL_AMBIENT_AND_DIFFUSE:
                memcpy(m->ambient, params, sizeof m->ambient);
                memcpy(m->diffuse, params, sizeof m->diffuse);
                break;
            default: set_error(c, GL_INVALID_ENUM); return;
        }
    }
    state_changed(c);
}

void exec_light(FixedglContext& c, GLenum light, GLenum pname, const float* params) {
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kMaxLights) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    Light& l = c.lights[light - GL_LIGHT0];
    const Mat4& modelview = c.modelview.entries[c.modelview.depth - 1];
    switch (pname) {
        case GL_AMBIENT: memcpy(l.ambient, params, sizeof l.ambient); break;
        case GL_DIFFUSE: memcpy(l.diffuse, params, sizeof l.diffuse); break;
        case GL_SPECULAR: memcpy(l.specular, params, sizeof l.specular); break;
        case GL_POSITION: mat4_transform(modelview, params, l.position); break;
        case GL_SPOT_DIRECTION: {
            float d[4] = {params[0], params[1], params[2], 0}, eye[4];
            mat4_transform(modelview, d, eye);
            memcpy(l.spot_direction, eye, sizeof l.spot_direction);
            break;
        }
        case GL_SPOT_EXPONENT:
            if (params[0] < 0 || params[0] > 128) {
                set_error(c, GL_INVALID_VALUE);
                return;
            }
            l.spot_exponent = params[0];
            break;
        case GL_SPOT_CUTOFF:
            if ((params[0] < 0 || params[0] > 90) && params[0] != 180) {
                set_error(c, GL_INVALID_VALUE);
                return;
            }
            l.spot_cutoff = params[0];
            break;
        case GL_CONSTANT_ATTENUATION:
        case GL_LINEAR_ATTENUATION:
        case GL_QUADRATIC_ATTENUATION:
            if (params[0] < 0) {
                set_error(c, GL_INVALID_VALUE);
                return;
            }
            l.attenuation[pname - GL_CONSTANT_ATTENUATION] = params[0];
            break;
        default: set_error(c, GL_INVALID_ENUM); return;
    }
    state_changed(c);
}

void exec_light_model(FixedglContext& c, GLenum pname, const float* params) {
    switch (pname) {
        case GL_LIGHT_MODEL_AMBIENT: memcpy(c.scene_ambient, params, sizeof c.scene_ambient); break;
        case GL_LIGHT_MODEL_LOCAL_VIEWER: c.local_viewer = params[0] != 0; break;
        case GL_LIGHT_MODEL_TWO_SIDE: c.two_side = params[0] != 0; break;  // remembered; faces lit as front ones
        default: set_error(c, GL_INVALID_ENUM); return;
    }
    state_changed(c);
}

// How many values a parameter takes, or 0 for one GL does not know.
static int light_values(GLenum pname) {
    switch (pname) {
        case GL_AMBIENT:
        case GL_DIFFUSE:
        case GL_SPECULAR:
        case GL_POSITION:
        case GL_EMISSION:
        case GL_AMBIENT_AND_DIFFUSE:
        case GL_LIGHT_MODEL_AMBIENT: return 4;
        case GL_SPOT_DIRECTION:
        case GL_COLOR_INDEXES: return 3;
        default: return 1;
    }
}

// Records a call with its values into a list being compiled (reading the
// values only then); true when it must not run now.
static bool record_values(FixedglContext& c, ListOpKind kind, GLenum a, GLenum b, const float* params, int count) {
    if (!c.compiling) return false;
    ListOp op = make_op(kind, a, b);
    memcpy(op.v, params, count * sizeof(float));
    return record_call(c, op);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    FixedglContext* c = outside_begin();
    if (!c || record_values(*c, kOpLight, light, pname, params, light_values(pname))) return;
    exec_light(*c, light, pname, params);
}

void glLightModelfv(GLenum pname, const GLfloat* params) {
    FixedglContext* c = outside_begin();
    if (!c || record_values(*c, kOpLightModel, pname, 0, params, light_values(pname))) return;
    exec_light_model(*c, pname, params);
}

// Materials may change between glBegin and glEnd.
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    FixedglContext* c = fixedgl_current;
    if (!c || record_values(*c, kOpMaterial, face, pname, params, light_values(pname))) return;
    exec_material(*c, face, pname, params);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) {
    if (pname != GL_SHININESS) {  // the one parameter with a single value
        if (fixedgl_current) set_error(*fixedgl_current, GL_INVALID_ENUM);
        return;
    }
    glMaterialfv(face, pname, &param);
}

void glMateriali(GLenum face, GLenum pname, GLint param) {
    GLfloat value = (GLfloat)param;
    glMaterialf(face, pname, value);
}
