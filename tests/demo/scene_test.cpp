// The scene's fixed data and each of its elements, drawn alone on a headless
// GL context set up as the demo sets it, against the sums that predict them.
#include <gtest/gtest.h>

#include <math.h>
#include <stdint.h>

#include <algorithm>

#include "demo/run_loop.h"
#include "demo/scene.h"
#include "demo/scene_elements.h"
#include "demo/scene_resources.h"
#include "demo/swarm.h"
#include "platform/win32.h"
#include "scene_gl.h"

namespace {

TEST(Swarm, AdvanceWrapsStrictlyPast900) {
    scene_fill_swarm();
    for (int n = 0; n < 533; n++) scene_advance_swarm();
    EXPECT_EQ(kuulax[0][0], 899.0f);
    scene_advance_swarm();  // the 534th lands column 0 on -900
    EXPECT_EQ(kuulax[0][4], -900.0f);
    // Column 1 reaches exactly 900 after 600 advances, stays there one frame, then wraps.
    for (int n = 534; n < 600; n++) scene_advance_swarm();
    EXPECT_EQ(kuulax[1][2], 900.0f);
    scene_advance_swarm();
    EXPECT_EQ(kuulax[1][2], -900.0f);
}

class SceneElements : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(open_scene_context()); }

    // The state each element must leave behind, as it found it.
    void expect_frame_state() {
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        GLint src, dst;
        glGetIntegerv(GL_BLEND_SRC, &src);
        glGetIntegerv(GL_BLEND_DST, &dst);
        EXPECT_EQ(src, GL_SRC_ALPHA);
        EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
        GLint depth;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
    }
};

// Nothing before the first frame's rings switches normalisation on, so the
// first frame's swarm is drawn with the normals the scale of 120 shrank.
TEST_F(SceneElements, FirstSwarmIsDrawnWithoutNormalisation) { EXPECT_FALSE(normalize_after_start_up()); }

// The backdrop: texture x 0.3, fogged at depth 150, at 80 % over the fog grey.
TEST_F(SceneElements, BackdropIsTheDarkenedPictureAtEightyPercent) {
    Texels picture = texture_level0(TextureArray[2]);
    clear_to(0.1f);
    draw_backdrop();
    expect_frame_state();
    double f = fog_keep(150);
    Rgb centre = read_pixel(512, 384);
    for (int c = 0; c < 3; c++) {
        double own = f * 0.3 * sample(picture, 0.5, 0.5, c) + (1 - f) * 0.1;
        EXPECT_NEAR(centre[c], 255 * (0.8 * own + 0.2 * 0.1), 2.0) << c;
    }
}

// The rings: opaque black blades; even the transparent inner ends write depth.
TEST_F(SceneElements, RingBladesAreBlackAndWriteDepth) {
    glDisable(GL_NORMALIZE);
    clear_to(0.5f);
    draw_rings();
    expect_frame_state();
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    // Outer blade 2, a third of the way out: (0, 80) turned 20 degrees, squashed, at depth 100.1.
    Rgb blade = read_pixel(148, 733);
    EXPECT_LE(blade.r + blade.g + blade.b, 3);
    // Inner blade 0 just past its inner end: colour all but unchanged, depth written.
    Rgb inner = read_pixel(512, 449);
    EXPECT_NEAR(inner.r, 128, 3);
    EXPECT_LT(read_depth(512, 449), 0.01f);
    EXPECT_EQ(read_depth(512, 384), 1.0f);  // the centre is left open
}

// An overlay: destination x (1 + fogged texel), over a grey of 0.4, checked
// at the window pixel over the picture's brightest texel.
TEST_F(SceneElements, OverlayBrightensWhatLiesUnder) {
    Texels picture = texture_level0(TextureArray[3]);
    size_t brightest = 0;
    for (size_t i = 0; i < picture.rgb.size(); i += 3)
        if (picture.rgb[i] + picture.rgb[i + 1] + picture.rgb[i + 2] >
            picture.rgb[brightest] + picture.rgb[brightest + 1] + picture.rgb[brightest + 2])
            brightest = i;
    int tx = (int)(brightest / 3 % picture.width), ty = (int)(brightest / 3 / picture.width);

    clear_to(0.4f);
    draw_overlay(TextureArray[3], 35, 0, 30, 30);
    expect_frame_state();

    // The quad spans eye x 5..65 and y -30..30 at depth 100, where the view's half-extent is 100 tan 30.
    const double half = 100 * tan(M_PI / 6);
    int px = (int)((1 + (35 + ((tx + 0.5) / picture.width - 0.5) * 60) / half) / 2 * 1024);
    int py = (int)((1 + (((ty + 0.5) / picture.height - 0.5) * 60) / half) / 2 * 768);
    double s = ((((px + 0.5) / 1024 * 2 - 1) * half) - 35) / 60 + 0.5;
    double t = ((((py + 0.5) / 768 * 2 - 1) * half)) / 60 + 0.5;
    double f = fog_keep(100);
    Rgb pixel = read_pixel(px, py);
    int brightened = 0;
    for (int c = 0; c < 3; c++) {
        double texel = f * sample(picture, s, t, c) + (1 - f) * 0.1;
        EXPECT_NEAR(pixel[c], std::min(255.0, 255 * 0.4 * (1 + texel)), 3.0) << c;
        brightened += pixel[c] > 150;
    }
    EXPECT_GT(brightened, 0) << "the brightest texel should brighten the grey well above 102";
    Rgb outside = read_pixel(100, 384);
    EXPECT_NEAR(outside.r, 102, 1);
}

// One swarm cell moved to the middle of the view: a dark silhouette in the
// fog, lit only by ambient and specular light, drawn with its materials.
TEST_F(SceneElements, SwarmCellIsADarkSilhouette) {
    GLuint list = scene_model_list();
    scene_fill_swarm();
    for (int i = 0; i < 9; i++)
        for (int j = 0; j < 5; j++) kuulax[i][j] = -5000;  // everything far out of view
    kuulax[0][0] = 0;
    kuulay[0][0] = 0;
    demofloat = 0;
    glEnable(GL_COLOR_MATERIAL);
    clear_to(0.1f);
    draw_swarm(list);
    expect_frame_state();
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));  // the model has materials
    Rgb centre = read_pixel(512, 384);
    EXPECT_LT(centre.r, 22);
    EXPECT_LT(centre.g, 22);
    EXPECT_LT(centre.b, 22);
    Rgb corner = read_pixel(5, 5);
    EXPECT_NEAR(corner.r, 26, 1);  // the fog grey where no copy is
    glDeleteLists(list, 1);
}

}  // namespace
