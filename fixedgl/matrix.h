// 4x4 float matrices kept column by column, as GL keeps them, and the
// operations the matrix calls make on them, in GL's float arithmetic.
#ifndef QO_FIXEDGL_MATRIX_H
#define QO_FIXEDGL_MATRIX_H

struct Mat4 {
    float m[16];  // element (row r, column c) at m[c * 4 + r]
};

Mat4 mat4_identity();
Mat4 mat4_multiply(const Mat4& a, const Mat4& b);  // a * b
void mat4_translate(Mat4& a, float x, float y, float z);  // a = a * T
void mat4_scale(Mat4& a, float x, float y, float z);      // a = a * S
// a = a * R(angle in degrees about (x, y, z)); an axis shorter than 1e-4
// leaves a as it is.
void mat4_rotate(Mat4& a, float angle, float x, float y, float z);

// out = a * in, in and out 4 floats each (they may not overlap).
void mat4_transform(const Mat4& a, const float* in, float* out);

// The matrix that takes object-space normals to eye space: the transposed
// inverse of a's upper 3x3, column by column (9 floats). A singular matrix
// gives zeros.
void mat4_normal_matrix(const Mat4& a, float* out);
void mat3_transform(const float* n3, const float* in, float* out);

#endif
