// The matrix calls: three stacks, one of them current by the matrix mode.
#include "fixedgl/calls.h"

#include <string.h>

MatrixStack& current_stack(FixedglContext& c) {
    switch (c.matrix_mode) {
        case GL_PROJECTION: return c.projection;
        case GL_TEXTURE: return c.texture_matrix;
        default: return c.modelview;
    }
}

static Mat4& top(FixedglContext& c) {
    MatrixStack& s = current_stack(c);
    return s.entries[s.depth - 1];
}

// Matrices the pending batch was specified under are baked into its
// vertices, except the projection and texture matrices, which it keeps as
// uniforms.
static void matrix_changed(FixedglContext& c) {
    if (c.matrix_mode == GL_MODELVIEW)
        c.modelview_serial++;
    else
        state_changed(c);
}

const float* current_normal_matrix(FixedglContext& c) {
    if (c.normal_matrix_serial != c.modelview_serial) {
        mat4_normal_matrix(c.modelview.entries[c.modelview.depth - 1], c.normal_matrix);
        c.normal_matrix_serial = c.modelview_serial;
    }
    return c.normal_matrix;
}

void exec_matrix_mode(FixedglContext& c, GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    c.matrix_mode = mode;
}

void exec_load_identity(FixedglContext& c) {
    top(c) = mat4_identity();
    matrix_changed(c);
}

void exec_load_matrix(FixedglContext& c, const float* m) {
    memcpy(top(c).m, m, sizeof(float) * 16);
    matrix_changed(c);
}

void exec_mult_matrix(FixedglContext& c, const float* m) {
    Mat4 b;
    memcpy(b.m, m, sizeof b.m);
    top(c) = mat4_multiply(top(c), b);
    matrix_changed(c);
}

void exec_push_matrix(FixedglContext& c) {
    MatrixStack& s = current_stack(c);
    if (s.depth >= s.limit) {
        set_error(c, GL_STACK_OVERFLOW);
        return;
    }
    s.entries[s.depth] = s.entries[s.depth - 1];
    s.depth++;
}

void exec_pop_matrix(FixedglContext& c) {
    MatrixStack& s = current_stack(c);
    if (s.depth <= 1) {
        set_error(c, GL_STACK_UNDERFLOW);
        return;
    }
    s.depth--;
    matrix_changed(c);
}

void exec_translate(FixedglContext& c, float x, float y, float z) {
    mat4_translate(top(c), x, y, z);
    matrix_changed(c);
}

void exec_rotate(FixedglContext& c, float angle, float x, float y, float z) {
    mat4_rotate(top(c), angle, x, y, z);
    matrix_changed(c);
}

void exec_scale(FixedglContext& c, float x, float y, float z) {
    mat4_scale(top(c), x, y, z);
    matrix_changed(c);
}

// Entry points. Matrix calls are not allowed between glBegin and glEnd.

void glMatrixMode(GLenum mode) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpMatrixMode, mode))) return;
    exec_matrix_mode(*c, mode);
}

void glLoadIdentity(void) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpLoadIdentity))) return;
    exec_load_identity(*c);
}

void glLoadMatrixf(const GLfloat* m) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    ListOp op = make_op(kOpLoadMatrix);
    memcpy(op.v, m, sizeof op.v);
    if (record_call(*c, op)) return;
    exec_load_matrix(*c, m);
}

void glMultMatrixf(const GLfloat* m) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    ListOp op = make_op(kOpMultMatrix);
    memcpy(op.v, m, sizeof op.v);
    if (record_call(*c, op)) return;
    exec_mult_matrix(*c, m);
}

void glPushMatrix(void) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpPushMatrix))) return;
    exec_push_matrix(*c);
}

void glPopMatrix(void) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpPopMatrix))) return;
    exec_pop_matrix(*c);
}

static ListOp op3(ListOpKind kind, float a, float b, float d, float e = 0) {
    ListOp op = make_op(kind);
    op.v[0] = a;
    op.v[1] = b;
    op.v[2] = d;
    op.v[3] = e;
    return op;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, op3(kOpTranslate, x, y, z))) return;
    exec_translate(*c, x, y, z);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, op3(kOpRotate, angle, x, y, z))) return;
    exec_rotate(*c, angle, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, op3(kOpScale, x, y, z))) return;
    exec_scale(*c, x, y, z);
}
