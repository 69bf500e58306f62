// The key of a draw: the state it depends on, in the form the shaders and
// ES 2 take it. Only what the chosen variant reads is filled; the rest stays
// zero, so keys that differ only in state the draw ignores compare equal.
#include "fixedgl/draw_key.h"

#include <math.h>
#include <string.h>

#include "fixedgl/calls.h"

namespace {

uint32_t fog_variant(GLenum mode) {
    switch (mode) {
        case GL_LINEAR: return 1;
        case GL_EXP: return 2;
        default: return 3;  // GL_EXP2
    }
}

void fog_uniforms(const FixedglContext& c, DrawUniforms& u) {
    memcpy(u.fog_color, c.fog_color, sizeof u.fog_color);
    // The forms the system's GL hands its shaders: f = z * scale + offset for
    // linear fog, 2^-(z d') for exp, 2^-(z d'')^2 for exp2.
    float range = c.fog_end - c.fog_start;
    u.fog_params[0] = range != 0 ? -1.0f / range : 0.0f;
    u.fog_params[1] = range != 0 ? c.fog_end / range : 0.0f;
    u.fog_params[2] = (float)(c.fog_density * (1.0 / M_LN2));
    u.fog_params[3] = (float)(c.fog_density * (1.0 / sqrt(M_LN2)));
}

// Packs the enabled lights; returns how many there are.
int light_uniforms(const FixedglContext& c, LightUniforms& u, bool& attenuated) {
    int n = 0;
    attenuated = false;
    for (int i = 0; i < kMaxLights; i++) {
        if (!c.light_enabled[i]) continue;
        const Light& l = c.lights[i];
        memcpy(u.ambient[n], l.ambient, sizeof u.ambient[n]);
        memcpy(u.diffuse[n], l.diffuse, sizeof u.diffuse[n]);
        memcpy(u.specular[n], l.specular, sizeof u.specular[n]);
        float* p = u.position[n];
        if (l.position[3] != 0) {
            for (int k = 0; k < 3; k++) p[k] = l.position[k] / l.position[3];
            p[3] = 1;
        } else {
            for (int k = 0; k < 3; k++) p[k] = l.position[k];
            p[3] = 0;
        }
        float* a = u.attenuation[n];
        a[0] = l.attenuation[0];
        a[1] = l.attenuation[1];
        a[2] = l.attenuation[2];
        a[3] = l.spot_exponent;
        float* s = u.spot[n];
        float length = sqrtf(l.spot_direction[0] * l.spot_direction[0] + l.spot_direction[1] * l.spot_direction[1] +
                             l.spot_direction[2] * l.spot_direction[2]);
        for (int k = 0; k < 3; k++) s[k] = length > 0 ? l.spot_direction[k] / length : 0.0f;
        s[3] = l.spot_cutoff == 180 ? -2.0f : (float)cos(l.spot_cutoff * M_PI / 180.0);
        bool positional = l.position[3] != 0;
        if (l.spot_cutoff != 180 ||
            (positional && (l.attenuation[0] != 1 || l.attenuation[1] != 0 || l.attenuation[2] != 0)))
            attenuated = true;
        n++;
    }
    return n;
}

}  // namespace

void material_uniforms(const FixedglContext& c, MaterialUniforms& out) {
    const Material& m = c.front;  // one-sided lighting lights every face with the front material
    memcpy(out.v[0], m.emission, sizeof out.v[0]);
    memcpy(out.v[1], m.ambient, sizeof out.v[1]);
    memcpy(out.v[2], m.diffuse, sizeof out.v[2]);
    memcpy(out.v[3], m.specular, sizeof out.v[3]);
    out.v[3][3] = m.shininess;
}

void build_draw_key(const FixedglContext& c, DrawKey& key) {
    memset(&key, 0, sizeof key);
    uint32_t variant = 0;
    DrawUniforms& u = key.uniforms;
    memcpy(u.projection, c.projection.entries[c.projection.depth - 1].m, sizeof u.projection);
    memcpy(u.texture_matrix, c.texture_matrix.entries[c.texture_matrix.depth - 1].m, sizeof u.texture_matrix);
    if (c.lighting) {
        variant |= kVariantLighting;
        if (c.color_material) variant |= kVariantColorMaterial;
        if (c.normalize) variant |= kVariantNormalize;
        if (c.local_viewer) variant |= kVariantLocalViewer;
        bool attenuated = false;
        int lights = light_uniforms(c, u.lights, attenuated);
        if (attenuated) variant |= kVariantAttenuation;
        // max(n.l, 0) * 0 * diffuse adds exactly 0 (the values are finite).
        bool diffuse = false;
        for (int i = 0; i < lights; i++) {
            const float* d = u.lights.diffuse[i];
            if (d[0] != 0 || d[1] != 0 || d[2] != 0) diffuse = true;
        }
        if (lights > 0 && !diffuse) variant |= kVariantNoDiffuse;
        variant |= (uint32_t)lights << kVariantLightShift;
        memcpy(u.scene_ambient, c.scene_ambient, sizeof u.scene_ambient);
        material_uniforms(c, u.material);
        if (c.color_material) {
            // Taken from each vertex's colour instead.
            memset(u.material.v[1], 0, sizeof u.material.v[1]);
            memset(u.material.v[2], 0, sizeof u.material.v[2]);
        }
    }
    if (c.fog) {
        variant |= fog_variant(c.fog_mode) << kVariantFogShift;
        fog_uniforms(c, u);
    }
    if (c.texture_2d) {
        const Texture* t = find_texture(c, c.bound_texture);
        // An incomplete texture turns texturing off, as in GL.
        if (t && texture_complete(*t)) {
            variant |= kVariantTexture;
            if (t->levels[0].base_format == GL_ALPHA) variant |= kVariantTextureAlpha;
            // Texture coordinates are given with q = 1 (glTexCoord2f is the only
            // way in), and the inheriting mix picks 0 or 1 of its terms, so a
            // texture matrix whose last row is (0, 0, 0, 1) hands the fragments
            // q = 1 exactly: the projective lookup would divide by 1.
            const float* m = u.texture_matrix;
            if (m[3] == 0 && m[7] == 0 && m[11] == 0 && m[15] == 1) variant |= kVariantTextureAffine;
            key.textured = 1;
            key.texture = c.bound_texture;
        }
    }
    key.variant = variant;
    key.blend = c.blend;
    if (c.blend) {
        key.blend_src = c.blend_src;
        key.blend_dst = c.blend_dst;
    }
    key.depth_test = c.depth_test;
    if (c.depth_test) {
        key.depth_func = c.depth_func;
        key.depth_mask = c.depth_mask;
    }
    key.cull = c.cull_face;
    if (c.cull_face) {
        key.cull_face = c.cull_face_mode;
        key.front_face = c.front_face;
    }
    memcpy(key.viewport, c.viewport, sizeof key.viewport);
}

bool draw_keys_equal(const DrawKey& a, const DrawKey& b) { return memcmp(&a, &b, sizeof a) == 0; }
