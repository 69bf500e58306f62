// The matrix operations of the matrix calls. Products sum their terms left
// to right in float, as GL implementations do, so the layer and the
// system's GL agree to the last bit where they can.
#include "fixedgl/matrix.h"

#include <math.h>
#include <string.h>

Mat4 mat4_identity() {
    Mat4 a;
    memset(a.m, 0, sizeof a.m);
    a.m[0] = a.m[5] = a.m[10] = a.m[15] = 1;
    return a;
}

Mat4 mat4_multiply(const Mat4& a, const Mat4& b) {
    Mat4 p;
    for (int r = 0; r < 4; r++) {
        float a0 = a.m[r], a1 = a.m[4 + r], a2 = a.m[8 + r], a3 = a.m[12 + r];
        for (int c = 0; c < 4; c++)
            p.m[c * 4 + r] = a0 * b.m[c * 4] + a1 * b.m[c * 4 + 1] + a2 * b.m[c * 4 + 2] + a3 * b.m[c * 4 + 3];
    }
    return p;
}

void mat4_translate(Mat4& a, float x, float y, float z) {
    for (int r = 0; r < 4; r++) a.m[12 + r] = a.m[r] * x + a.m[4 + r] * y + a.m[8 + r] * z + a.m[12 + r];
}

void mat4_scale(Mat4& a, float x, float y, float z) {
    for (int r = 0; r < 4; r++) {
        a.m[r] *= x;
        a.m[4 + r] *= y;
        a.m[8 + r] *= z;
    }
}

void mat4_rotate(Mat4& a, float angle, float x, float y, float z) {
    // Sine and cosine of the angle taken in float, as the system's GL does.
    float s = sinf((float)(angle * M_PI / 180.0));
    float c = cosf((float)(angle * M_PI / 180.0));
    Mat4 r = mat4_identity();
    float* m = r.m;
    if (x == 0 && y == 0 && z != 0) {  // about the z axis: exact zeros and ones
        m[0] = c;
        m[5] = c;
        m[4] = z < 0 ? s : -s;
        m[1] = z < 0 ? -s : s;
    } else if (y == 0 && z == 0 && x != 0) {
        m[5] = c;
        m[10] = c;
        m[9] = x < 0 ? s : -s;
        m[6] = x < 0 ? -s : s;
    } else if (x == 0 && z == 0 && y != 0) {
        m[0] = c;
        m[10] = c;
        m[8] = y < 0 ? -s : s;
        m[2] = y < 0 ? s : -s;
    } else {
        float length = sqrtf(x * x + y * y + z * z);
        if (length <= 1.0e-4f) return;
        x /= length;
        y /= length;
        z /= length;
        float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        float xs = x * s, ys = y * s, zs = z * s, one_c = 1.0f - c;
        m[0] = (one_c * xx) + c;
        m[4] = (one_c * xy) - zs;
        m[8] = (one_c * zx) + ys;
        m[1] = (one_c * xy) + zs;
        m[5] = (one_c * yy) + c;
        m[9] = (one_c * yz) - xs;
        m[2] = (one_c * zx) - ys;
        m[6] = (one_c * yz) + xs;
        m[10] = (one_c * zz) + c;
    }
    a = mat4_multiply(a, r);
}

void mat4_transform(const Mat4& a, const float* in, float* out) {
    for (int r = 0; r < 4; r++)
        out[r] = a.m[r] * in[0] + a.m[4 + r] * in[1] + a.m[8 + r] * in[2] + a.m[12 + r] * in[3];
}

void mat4_normal_matrix(const Mat4& a, float* out) {
    // Upper 3x3 by rows.
    double m00 = a.m[0], m01 = a.m[4], m02 = a.m[8];
    double m10 = a.m[1], m11 = a.m[5], m12 = a.m[9];
    double m20 = a.m[2], m21 = a.m[6], m22 = a.m[10];
    double c00 = m11 * m22 - m12 * m21, c01 = m12 * m20 - m10 * m22, c02 = m10 * m21 - m11 * m20;
    double det = m00 * c00 + m01 * c01 + m02 * c02;
    if (det == 0) {
        memset(out, 0, 9 * sizeof(float));
        return;
    }
    double inv = 1.0 / det;
    // The inverse's transpose is the cofactor matrix over the determinant;
    // stored column by column.
    double cof[3][3] = {
        {c00, c01, c02},
        {m02 * m21 - m01 * m22, m00 * m22 - m02 * m20, m01 * m20 - m00 * m21},
        {m01 * m12 - m02 * m11, m02 * m10 - m00 * m12, m00 * m11 - m01 * m10},
    };
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++) out[c * 3 + r] = (float)(cof[r][c] * inv);
}

void mat3_transform(const float* n3, const float* in, float* out) {
    for (int r = 0; r < 3; r++) out[r] = n3[r] * in[0] + n3[3 + r] * in[1] + n3[6 + r] * in[2];
}
