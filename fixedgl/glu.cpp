// gluPerspective, and the quadric calls: a quadric is a record of its
// settings; nothing here draws one.
#include <math.h>

#include "fixedgl/calls.h"

// GLU's projection, in double, multiplied onto the current matrix as floats.
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    double radians = fovy / 2 * M_PI / 180;
    double depth = zFar - zNear;
    double sine = sin(radians);
    if (depth == 0 || sine == 0 || aspect == 0) return;
    double cotangent = cos(radians) / sine;
    double m[16] = {0};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / depth;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / depth;
    GLfloat f[16];
    for (int k = 0; k < 16; k++) f[k] = (GLfloat)m[k];
    glMultMatrixf(f);
}

namespace {

struct Quadric {
    GLenum draw_style = GLU_FILL;
    GLenum normals = GLU_SMOOTH;
    GLenum orientation = GLU_OUTSIDE;
};

Quadric* quadric(GLUquadric* q) { return reinterpret_cast<Quadric*>(q); }

}  // namespace

GLUquadric* gluNewQuadric(void) { return reinterpret_cast<GLUquadric*>(new Quadric()); }

void gluDeleteQuadric(GLUquadric* quad) { delete quadric(quad); }

void gluQuadricDrawStyle(GLUquadric* quad, GLenum draw) {
    if (quad && (draw == GLU_POINT || draw == GLU_LINE || draw == GLU_FILL || draw == GLU_SILHOUETTE))
        quadric(quad)->draw_style = draw;
}

void gluQuadricNormals(GLUquadric* quad, GLenum normal) {
    if (quad && (normal == GLU_NONE || normal == GLU_FLAT || normal == GLU_SMOOTH)) quadric(quad)->normals = normal;
}

void gluQuadricOrientation(GLUquadric* quad, GLenum orientation) {
    if (quad && (orientation == GLU_OUTSIDE || orientation == GLU_INSIDE)) quadric(quad)->orientation = orientation;
}
