// Everything a draw depends on besides its vertices, its modelview matrix and
// its material table: the shader variant, the ES 2 pipeline state and the
// uniform values. Immediate-mode triangles are batched while their keys are
// equal, so keys are compared byte for byte: build them with build_draw_key,
// which clears every byte first.
#ifndef QO_FIXEDGL_DRAW_KEY_H
#define QO_FIXEDGL_DRAW_KEY_H

#include <stdint.h>

#include "fixedgl/gl_api.h"

struct FixedglContext;

// Shader variant bits.
const uint32_t kVariantLighting = 1u << 0;
const uint32_t kVariantColorMaterial = 1u << 1;  // ambient and diffuse from the vertex colour
const uint32_t kVariantNormalize = 1u << 2;
const uint32_t kVariantLocalViewer = 1u << 3;
const uint32_t kVariantAttenuation = 1u << 4;    // some light attenuates or is a spot
const uint32_t kVariantTexture = 1u << 5;
const uint32_t kVariantTextureAlpha = 1u << 6;   // an alpha-only texture: the colour passes
const int kVariantFogShift = 7;                  // 2 bits: 0 none, 1 linear, 2 exp, 3 exp2
const int kVariantLightShift = 9;                // 4 bits: enabled lights, packed
const uint32_t kVariantLightMask = 15u << kVariantLightShift;
// Some vertices of a list's draw take an attribute at replay and others have
// their own: chosen per vertex. (When all or none do, the attribute is a
// constant or an array instead.)
const uint32_t kVariantInheritMixed = 1u << 13;
// The draw lights its vertices with more than one material (a list's table).
const uint32_t kVariantMaterialTable = 1u << 14;
// Every texture coordinate comes out of the texture matrix with q = 1: the
// lookup needs no division.
const uint32_t kVariantTextureAffine = 1u << 15;
// The fog factor is the same at every fragment: the shader takes it as a
// uniform, in fog_params[0].
const uint32_t kVariantFogConstant = 1u << 16;
// No enabled light has a diffuse colour: the diffuse term is 0 and is left
// out.
const uint32_t kVariantNoDiffuse = 1u << 17;

const int kMaterialTableSize = 8;  // materials one draw can light with

// The enabled lights, in order of their numbers, an array per uniform.
struct LightUniforms {
    float ambient[8][4];
    float diffuse[8][4];
    float specular[8][4];
    float position[8][4];     // (x, y, z, 1) for a positional light, (x, y, z, 0) for a directional one
    float attenuation[8][4];  // constant, linear, quadratic, spot exponent
    float spot[8][4];         // unit direction, cosine of the cutoff (-2 for no spot)
};

// A material as the shader reads it: emission, ambient, diffuse, and the
// specular colour with the shininess in its alpha.
struct MaterialUniforms {
    float v[4][4];
};

struct DrawUniforms {
    float projection[16];
    float texture_matrix[16];
    float fog_color[4];
    float fog_params[4];  // linear scale and offset, exp and exp2 density, as the shader uses them (or the factor)
    float scene_ambient[4];
    LightUniforms lights;
    MaterialUniforms material;  // the current front material (immediate mode)
};

struct DrawKey {
    uint32_t variant;
    uint32_t blend, depth_test, depth_mask, cull;
    GLenum blend_src, blend_dst, depth_func, cull_face, front_face;
    int viewport[4];
    uint32_t textured;
    GLuint texture;  // the layer's texture name, when textured
    DrawUniforms uniforms;
};

void build_draw_key(const FixedglContext& c, DrawKey& key);
bool draw_keys_equal(const DrawKey& a, const DrawKey& b);

// The shader's view of a material.
void material_uniforms(const FixedglContext& c, MaterialUniforms& out);

#endif
