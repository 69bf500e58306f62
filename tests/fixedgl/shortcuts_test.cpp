// The facts the layer's cheaper draws rest on (fixedgl/draw_shortcuts.h),
// on draws made up here: the demo's projection and viewport, quads in eye
// space, materials and textures as records.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include <vector>

#include "fixedgl/draw_shortcuts.h"

namespace {

// gluPerspective(60, 1, 100, 10000) as the demo sets it, on a 1024x768 view.
DrawKey demo_key(uint32_t variant) {
    DrawKey key;
    memset(&key, 0, sizeof key);
    key.variant = variant;
    double cotangent = 1 / tan(M_PI / 6);
    float* p = key.uniforms.projection;
    p[0] = (float)cotangent;
    p[5] = (float)cotangent;
    p[10] = (float)(-10100.0 / 9900);
    p[11] = -1;
    p[14] = (float)(-2 * 100.0 * 10000 / 9900);
    float* t = key.uniforms.texture_matrix;
    t[0] = t[5] = t[10] = t[15] = 1;
    key.viewport[2] = 1024;
    key.viewport[3] = 768;
    return key;
}

Vertex vertex(float x, float y, float z, float s, float t) {
    Vertex v;
    memset(&v, 0, sizeof v);
    float position[4] = {x, y, z, 1}, texcoord[4] = {s, t, 0, 1};
    memcpy(v.position, position, sizeof position);
    memcpy(v.texcoord, texcoord, sizeof texcoord);
    return v;
}

// A quad's two triangles, corners (x0, y0) to (x1, y1) at eye depths z0
// (bottom) and z1 (top), the whole texture once across it.
std::vector<Vertex> quad(float x0, float y0, float z0, float x1, float y1, float z1) {
    Vertex a = vertex(x0, y0, z0, 0, 0), b = vertex(x1, y0, z0, 1, 0);
    Vertex c = vertex(x1, y1, z1, 1, 1), d = vertex(x0, y1, z1, 0, 1);
    return {a, b, c, a, c, d};
}

Texture texture(int width, int height, GLenum base_format) {
    Texture t;
    t.name = 7;
    t.levels[0].width = width;
    t.levels[0].height = height;
    t.levels[0].base_format = base_format;
    return t;
}

const uint32_t kTextured = kVariantTexture | kVariantTextureAffine;

TEST(ConstantFog, OneDepthGivesTheFactorOfEachMode) {
    // At eye depth 150: linear fog from 100 to 1000, exp and exp2 densities 0.002 and 0.0014.
    const float expected[3] = {(1000 - 150) / 900.0f, expf(-0.002f * 150), expf(-(0.0014f * 150) * (0.0014f * 150))};
    for (uint32_t mode = 1; mode <= 3; mode++) {
        DrawKey key = demo_key(mode << kVariantFogShift);
        float params[4] = {-1.0f / 900, 1000.0f / 900, (float)(0.002 / M_LN2), (float)(0.0014 / sqrt(M_LN2))};
        memcpy(key.uniforms.fog_params, params, sizeof params);
        ASSERT_TRUE(use_constant_fog(key, quad(-20, -20, -150, 20, 20, -150)));
        EXPECT_TRUE(key.variant & kVariantFogConstant);
        EXPECT_NEAR(key.uniforms.fog_params[0], expected[mode - 1], 1e-5) << "fog mode " << mode;
    }
    DrawKey many = demo_key(3u << kVariantFogShift);
    EXPECT_FALSE(use_constant_fog(many, quad(-20, -20, -150, 20, 20, -151)));
    EXPECT_FALSE(many.variant & kVariantFogConstant);
}

// The demo's textured quads: the backdrop (256 texels over some 1,400 by
// 800 pixels) and the overlays (128 and 64 by 128 texels over about 530 by
// 400 and 270 by 330).
TEST(TextureMagnified, TheDemosQuadsAre) {
    DrawKey key = demo_key(kTextured);
    EXPECT_TRUE(texture_magnified(key, texture(256, 256, GL_RGB), quad(-120, -90, -150, 120, 90, -150)));
    EXPECT_TRUE(texture_magnified(key, texture(128, 128, GL_RGB), quad(5, -30, -100, 65, 30, -100)));
    EXPECT_TRUE(texture_magnified(key, texture(64, 128, GL_RGB), quad(-55, -40, -100, -25, 10, -100)));
}

TEST(TextureMagnified, NotWhenMinifiedOrNearlySo) {
    DrawKey key = demo_key(kTextured);
    Texture t = texture(256, 256, GL_RGB);
    // 6 units at depth 100 are some 53 pixels: about 5 texels a pixel.
    EXPECT_FALSE(texture_magnified(key, t, quad(0, 0, -100, 6, 6, -100)));
    // 0.9 texel a pixel across (256 texels over 285 pixels) and 0.4 up:
    // magnified, but an estimate GL allows (the sum, 1.3) says minified.
    EXPECT_FALSE(texture_magnified(key, t, quad(-16, -50, -100, 16.14f, 50, -100)));
    // One minified quad among magnified ones.
    std::vector<Vertex> both = quad(-120, -90, -150, 120, 90, -150), small = quad(0, 0, -100, 6, 6, -100);
    both.insert(both.end(), small.begin(), small.end());
    EXPECT_FALSE(texture_magnified(key, t, both));
}

TEST(TextureMagnified, NotWhenTiltedOrProjective) {
    DrawKey key = demo_key(kTextured);
    Texture t = texture(256, 256, GL_RGB);
    // Large on the screen, but leaning back from depth 101 to 4000.
    EXPECT_FALSE(texture_magnified(key, t, quad(-50, -40, -101, 50, -5, -4000)));
    // The backdrop's quad with a texture matrix that leaves q other than 1.
    EXPECT_FALSE(texture_magnified(demo_key(kVariantTexture), t, quad(-120, -90, -150, 120, 90, -150)));
}

TEST(TextureMagnified, NotBehindTheEyeNorForSlivers) {
    DrawKey key = demo_key(kTextured);
    Texture t = texture(256, 256, GL_RGB);
    EXPECT_FALSE(texture_magnified(key, t, quad(-120, -90, 150, 120, 90, 150)));
    // A triangle less than a pixel across, whatever its texture coordinates.
    std::vector<Vertex> sliver = {vertex(0, 0, -100, 0, 0), vertex(0.05f, 0, -100, 0.0001f, 0),
                                  vertex(0.05f, 0.05f, -100, 0.0001f, 0.0001f)};
    EXPECT_FALSE(texture_magnified(key, t, sliver));
}

struct BlendCase {
    FixedglContext context;
    DrawKey key;
    DrawSource source;
    BlendCase(uint32_t variant) : key(demo_key(variant)) {
        key.blend = 1;
        key.blend_src = GL_SRC_ALPHA;
        key.blend_dst = GL_ONE_MINUS_SRC_ALPHA;
        key.uniforms.material.v[2][3] = 1;
    }
};

TEST(BlendCopiesSource, LitWithOpaqueMaterials) {
    BlendCase lit(kVariantLighting);
    EXPECT_TRUE(blend_copies_source(lit.context, lit.key, lit.source));
    lit.key.uniforms.material.v[2][3] = 0.5f;
    EXPECT_FALSE(blend_copies_source(lit.context, lit.key, lit.source));
    // A list's table: every entry counts.
    MaterialUniforms table[3];
    memset(table, 0, sizeof table);
    for (MaterialUniforms& m : table) m.v[2][3] = 1;
    lit.source.table = table;
    lit.source.table_size = 3;
    EXPECT_TRUE(blend_copies_source(lit.context, lit.key, lit.source));
    table[2].v[2][3] = 0.25f;
    EXPECT_FALSE(blend_copies_source(lit.context, lit.key, lit.source));
}

TEST(BlendCopiesSource, TexelsMustBeOpaqueToo) {
    BlendCase c(kTextured);
    c.source.colors_opaque = true;
    c.key.textured = 1;
    c.key.texture = 7;
    c.context.textures.push_back(texture(64, 64, GL_RGB));
    EXPECT_TRUE(blend_copies_source(c.context, c.key, c.source));
    for (GLenum format : {GL_RGBA, GL_ALPHA, GL_LUMINANCE_ALPHA, GL_INTENSITY}) {
        c.context.textures.back().levels[0].base_format = format;
        EXPECT_FALSE(blend_copies_source(c.context, c.key, c.source)) << "format 0x" << std::hex << format;
    }
}

}  // namespace
