// Vector operations on three consecutive floats.
#include <math.h>

#include "model/include2.h"

GLfloat glmMax(GLfloat a, GLfloat b) {
    if (b > a) return b;
    return a;  // equal values, or a NaN on either side, give the first
}

GLfloat glmAbs(GLfloat f) {
    if (f < 0) return -f;
    return f;
}

GLfloat glmDot(GLfloat* u, GLfloat* v) {
    GLM_ASSERT(u);
    GLM_ASSERT(v);
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

void glmCross(GLfloat* u, GLfloat* v, GLfloat* n) {
    GLM_ASSERT(u);
    GLM_ASSERT(v);
    GLM_ASSERT(n);
    // Each component is stored as soon as it is computed: n must not alias u or v.
    n[0] = u[1] * v[2] - u[2] * v[1];
    n[1] = u[2] * v[0] - u[0] * v[2];
    n[2] = u[0] * v[1] - u[1] * v[0];
}

void glmNormalize(GLfloat* v) {
    GLM_ASSERT(v);
    // Length in double, rounded to float; a zero vector yields non-finite components.
    GLfloat l = (GLfloat)sqrt((double)v[0] * v[0] + (double)v[1] * v[1] + (double)v[2] * v[2]);
    v[0] /= l;
    v[1] /= l;
    v[2] /= l;
}

GLboolean glmEqual(GLfloat* u, GLfloat* v, GLfloat epsilon) {
    if (epsilon > glmAbs(u[0] - v[0]) && epsilon > glmAbs(u[1] - v[1]) && epsilon > glmAbs(u[2] - v[2])) return GL_TRUE;
    return GL_FALSE;
}
