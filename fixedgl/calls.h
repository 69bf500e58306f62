// The effect of each GL call on a context, shared by the entry points (which
// check where a call may come and record it into a list being compiled) and
// by list replay.
#ifndef QO_FIXEDGL_CALLS_H
#define QO_FIXEDGL_CALLS_H

#include "fixedgl/context.h"

// The current context for a call that GL does not allow between glBegin
// and glEnd: null (after recording the error) when it comes there, or when
// no context is current.
inline FixedglContext* outside_begin() {
    FixedglContext* c = fixedgl_current;
    if (c && c->primitive.inside) {
        set_error(*c, GL_INVALID_OPERATION);
        return nullptr;
    }
    return c;
}

void exec_enable(FixedglContext& c, GLenum cap, bool enable);

void exec_matrix_mode(FixedglContext& c, GLenum mode);
void exec_load_identity(FixedglContext& c);
void exec_load_matrix(FixedglContext& c, const float* m);
void exec_mult_matrix(FixedglContext& c, const float* m);
void exec_push_matrix(FixedglContext& c);
void exec_pop_matrix(FixedglContext& c);
void exec_translate(FixedglContext& c, float x, float y, float z);
void exec_rotate(FixedglContext& c, float angle, float x, float y, float z);
void exec_scale(FixedglContext& c, float x, float y, float z);

void exec_color(FixedglContext& c, const float* rgba);
void exec_normal(FixedglContext& c, const float* xyz);
void exec_texcoord(FixedglContext& c, const float* strq);

void exec_material(FixedglContext& c, GLenum face, GLenum pname, const float* params);
void exec_light(FixedglContext& c, GLenum light, GLenum pname, const float* params);
void exec_light_model(FixedglContext& c, GLenum pname, const float* params);
void exec_fog(FixedglContext& c, GLenum pname, const float* params);

void exec_blend_func(FixedglContext& c, GLenum sfactor, GLenum dfactor);
void exec_depth_func(FixedglContext& c, GLenum func);
void exec_depth_mask(FixedglContext& c, bool flag);
void exec_shade_model(FixedglContext& c, GLenum mode);
void exec_hint(FixedglContext& c, GLenum target, GLenum mode);
void exec_viewport(FixedglContext& c, int x, int y, int width, int height);
void exec_clear_color(FixedglContext& c, const float* rgba);
void exec_clear(FixedglContext& c, GLbitfield mask);

void exec_bind_texture(FixedglContext& c, GLenum target, GLuint name);
void exec_tex_parameter(FixedglContext& c, GLenum target, GLenum pname, GLint value);

void exec_call_list(FixedglContext& c, GLuint name);

// The current matrix stack, by the matrix mode.
MatrixStack& current_stack(FixedglContext& c);
// The normal matrix of the current modelview matrix (computed when it changed).
const float* current_normal_matrix(FixedglContext& c);

// The texture object bound now (the default one for name 0).
Texture& bound_texture(FixedglContext& c);
// A texture that can be sampled as GL would: complete for its filters.
bool texture_complete(const Texture& t);
Texture* find_texture(FixedglContext& c, GLuint name);
const Texture* find_texture(const FixedglContext& c, GLuint name);

// Immediate-mode triangles: appended to the pending batch, which is drawn
// when a later triangle's key differs or before anything that must see it.
void batch_triangles(FixedglContext& c, const Vertex* vertices, size_t count);
void flush_batch(FixedglContext& c);

// Compiling: records a call into the list being compiled, if any. True when
// the call must not run now (GL_COMPILE).
bool record_call(FixedglContext& c, const ListOp& op);
ListOp make_op(ListOpKind kind, GLenum a = 0, GLenum b = 0);
// Geometry of one glBegin/glEnd pair for the list being compiled, as given.
void record_geometry(FixedglContext& c, const Vertex* vertices, size_t count);

#endif
