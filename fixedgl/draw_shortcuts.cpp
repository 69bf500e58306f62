// Facts about a draw that let ES 2 skip work without changing a pixel.
#include "fixedgl/draw_shortcuts.h"

#include <math.h>
#include <string.h>

#include "fixedgl/calls.h"

namespace {

// The largest texel step per pixel, bounded from above the way GL allows an
// implementation to estimate it (the sum of the largest steps along u and
// along v), that still counts as magnified: λ = log2 of it stays below
// -0.4, far from the 0 where filtering changes over.
const double kMagnifiedStep = 0.75;

// A triangle smaller than a square pixel (twice its area in square pixels
// below this) is not judged: ES 2 snaps its corners to a grid of its own,
// and the steps it finds across so thin a triangle may differ from ours.
const double kSmallestDoubleArea = 2.0;

}  // namespace

bool use_constant_fog(DrawKey& key, const std::vector<Vertex>& eye) {
    uint32_t mode = (key.variant >> kVariantFogShift) & 3;
    if (mode == 0 || eye.empty()) return false;
    float z = eye[0].position[2];
    for (const Vertex& v : eye)
        if (!(v.position[2] == z)) return false;
    // The factor as the fragment shader computes it from |z|, in float.
    const float* p = key.uniforms.fog_params;
    float distance = fabsf(z), f;
    if (mode == 1) {
        f = distance * p[0] + p[1];
    } else if (mode == 2) {
        f = exp2f(-distance * p[2]);
    } else {
        float e = distance * p[3];
        f = exp2f(-e * e);
    }
    key.variant |= kVariantFogConstant;
    float params[4] = {f, 0, 0, 0};
    memcpy(key.uniforms.fog_params, params, sizeof params);
    return true;
}

bool texture_magnified(const DrawKey& key, const Texture& t, const std::vector<Vertex>& eye) {
    // Texture coordinates with q = 1 map linearly onto a screen-parallel
    // triangle; others are not looked at.
    if (!(key.variant & kVariantTextureAffine) || eye.size() < 3) return false;
    Mat4 projection, texture;
    memcpy(projection.m, key.uniforms.projection, sizeof projection.m);
    memcpy(texture.m, key.uniforms.texture_matrix, sizeof texture.m);
    const double half_width = 0.5 * key.viewport[2], half_height = 0.5 * key.viewport[3];
    for (size_t i = 0; i + 2 < eye.size(); i += 3) {
        double x[3], y[3], u[3], v[3];
        float w = 0;
        for (int k = 0; k < 3; k++) {
            float clip[4], coordinate[4];
            mat4_transform(projection, eye[i + k].position, clip);
            if (k == 0) w = clip[3];
            if (!(clip[3] > 0) || clip[3] != w) return false;  // behind the eye, or not parallel to the screen
            x[k] = (double)clip[0] / clip[3] * half_width;
            y[k] = (double)clip[1] / clip[3] * half_height;
            mat4_transform(texture, eye[i + k].texcoord, coordinate);
            u[k] = (double)coordinate[0] * t.levels[0].width;
            v[k] = (double)coordinate[1] * t.levels[0].height;
        }
        double ax = x[1] - x[0], ay = y[1] - y[0], bx = x[2] - x[0], by = y[2] - y[0];
        double area2 = ax * by - bx * ay;
        if (!(fabs(area2) >= kSmallestDoubleArea)) return false;
        double du1 = u[1] - u[0], du2 = u[2] - u[0], dv1 = v[1] - v[0], dv2 = v[2] - v[0];
        double du_dx = (du1 * by - du2 * ay) / area2, du_dy = (ax * du2 - bx * du1) / area2;
        double dv_dx = (dv1 * by - dv2 * ay) / area2, dv_dy = (ax * dv2 - bx * dv1) / area2;
        double step = fmax(fabs(du_dx), fabs(du_dy)) + fmax(fabs(dv_dx), fabs(dv_dy));
        if (!(step <= kMagnifiedStep)) return false;
    }
    return true;
}

bool colors_opaque(const std::vector<Vertex>& vertices) {
    for (const Vertex& v : vertices)
        if (!(v.color[3] >= 1)) return false;
    return true;
}

// GL blends C = Cs * As + Cd * (1 - As). With As = 1 that is Cs * 1 + Cd * 0:
// 1 and 0 are exact in every representation an implementation blends in
// (floating point, or n-bit fixed point where 1 is 2^n - 1 and x * (2^n - 1)
// / (2^n - 1) = x), so the blended colour is the source colour itself, and
// it reaches the framebuffer through the same conversion as an unblended
// one: the same bits. The alpha a fragment leaves is As * 1 + Ad * 0 = 1 = As
// likewise. So where every fragment's alpha is provably 1 (clamped to [0, 1]
// as GL clamps it), blending is left off.
bool blend_copies_source(const FixedglContext& c, const DrawKey& key, const DrawSource& source) {
    if (!key.blend || key.blend_src != GL_SRC_ALPHA || key.blend_dst != GL_ONE_MINUS_SRC_ALPHA) return false;
    if ((key.variant & kVariantLighting) && !(key.variant & kVariantColorMaterial)) {
        // Lit fragments take the alpha of the diffuse material colour.
        const MaterialUniforms* table = source.table ? source.table : &key.uniforms.material;
        int entries = source.table ? source.table_size : 1;
        for (int i = 0; i < entries; i++)
            if (!(table[i].v[2][3] >= 1)) return false;
    } else if (!source.colors_opaque) {
        return false;  // alpha from the vertex colours
    }
    if (key.textured) {
        // Texels of luminance and RGB textures have alpha 1; others may not.
        const Texture* t = find_texture(c, key.texture);
        GLenum base = t ? t->levels[0].base_format : 0;
        if (base != GL_RGB && base != GL_LUMINANCE) return false;
    }
    return true;
}
