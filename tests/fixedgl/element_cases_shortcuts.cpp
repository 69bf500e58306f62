// Where the layer draws by a cheaper way to the same pixels, and the cases
// next to them where it must not: fog at one depth against fog at many,
// textures magnified against minified and tilted ones, texture matrices
// that leave q at 1 and ones that do not, opaque and translucent fragments
// under alpha blending, and lights with and without a diffuse colour.
#include "demo/scene_resources.h"
#include "element_cases.h"

namespace {

void textured_quad(float x0, float y0, float z0, float x1, float y1, float z1) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x0, y0, z0);
    glTexCoord2f(1, 0);
    glVertex3f(x1, y0, z0);
    glTexCoord2f(1, 1);
    glVertex3f(x1, y1, z1);
    glTexCoord2f(0, 1);
    glVertex3f(x0, y1, z1);
    glEnd();
}

void textured_setup() {
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, TextureArray[2]);
    glColor4f(1, 1, 1, 1);
}

// Quads each at one depth and each a draw of its own (the fog changes in
// between), in every mode, beside a band of quads at several depths drawn
// together: one factor per draw for the first, one per fragment for the
// band.
void fog_one_depth() {
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    const GLfloat colour[] = {0.5f, 0.3f, 0.2f, 1};
    glFogfv(GL_FOG_COLOR, colour);
    clear_to(0.0f);
    glColor4f(0.9f, 0.95f, 1, 1);
    const GLint modes[] = {GL_LINEAR, GL_EXP, GL_EXP2};
    const float depths[] = {120, 400, 900};
    for (int m = 0; m < 3; m++) {
        glFogi(GL_FOG_MODE, modes[m]);
        glFogf(GL_FOG_START, 100);
        glFogf(GL_FOG_END, 1000);
        for (int d = 0; d < 3; d++) {
            glFogf(GL_FOG_DENSITY, 0.001f * (d + 1));
            float z = depths[d], half = z * 0.5774f;
            draw_quad(-half + half * 0.3f * d, half * (0.5f - 0.3f * m), -half + half * 0.3f * d + half * 0.25f,
                      half * (0.5f - 0.3f * m) + half * 0.25f, -z);
        }
    }
    glFogi(GL_FOG_MODE, GL_EXP2);
    glFogf(GL_FOG_DENSITY, 0.0014f);
    for (int d = 0; d < 5; d++) {
        float z = 150.0f + 300 * d, half = z * 0.5774f;
        draw_quad(half * 0.2f, -half + half * 0.1f * d, half * 0.9f, -half + half * 0.1f * d + half * 0.08f, -z);
    }
}

// Four draws, each a key of its own: the backdrop's picture magnified over
// the upper left, an overlay's minified alone, the backdrop's on a quad
// tilted away from the eye (magnified near, minified far), and again
// without the depth test on a floor triangle whose corners alone would pass
// for magnified while its far tip is minified.
void texture_filters() {
    textured_setup();
    clear_to(0.2f);
    textured_quad(-57, -5, -100, 5, 43, -100);
    glBindTexture(GL_TEXTURE_2D, TextureArray[3]);
    textured_quad(10, 25, -100, 16, 31, -100);
    glBindTexture(GL_TEXTURE_2D, TextureArray[2]);
    textured_quad(-55, -42, -101, -5, -5, -4000);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_TRIANGLES);
    glTexCoord2f(0, 0);
    glVertex3f(5, -50, -101);
    glTexCoord2f(0.5f, 0);
    glVertex3f(58, -50, -101);
    glTexCoord2f(0.25f, 0.25f);
    glVertex3f(31.5f, -50, -4000);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

// A texture matrix whose last row is (0, 0, 0, 2) halves every coordinate
// through q; one with (0.02, 0, 0, 1) divides by a q that grows across the
// quad.
void texture_matrix_q() {
    textured_setup();
    clear_to(0.2f);
    glMatrixMode(GL_TEXTURE);
    const GLfloat halve[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 2};
    glLoadMatrixf(halve);
    glMatrixMode(GL_MODELVIEW);
    textured_quad(-55, -20, -100, -5, 30, -100);
    glMatrixMode(GL_TEXTURE);
    const GLfloat warp[16] = {1, 0, 0, 0.02f, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glLoadMatrixf(warp);
    glMatrixMode(GL_MODELVIEW);
    textured_quad(5, -20, -100, 55, 30, -100);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

// Under (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) over stripes: a lit sphere
// whose material is opaque, one whose diffuse alpha is 0.5, one taking a
// translucent colour through colour material, a list of a translucent
// quad, a list of an opaque quad replayed under a translucent current
// colour it inherits, and a translucent unlit quad.
void blend_opaque_or_not() {
    glDisable(GL_FOG);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const GLfloat white[] = {0.9f, 0.9f, 0.9f, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    clear_to(0.1f);
    glDisable(GL_LIGHTING);
    for (int i = 0; i < 6; i++) {
        glColor4f(i % 2 ? 0.9f : 0.2f, 0.5f, i % 3 ? 0.8f : 0.1f, 1);
        draw_quad(-240 + 80.0f * i, -180, -160 + 80.0f * i, 180, -400);
    }
    glEnable(GL_LIGHTING);
    const GLfloat opaque[] = {0.3f, 0.6f, 0.9f, 1}, translucent[] = {0.9f, 0.6f, 0.3f, 0.5f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, opaque);
    glTranslatef(-55, 30, -150);
    draw_sphere(18, 16, 24, false);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, translucent);
    glTranslatef(55, 0, 0);
    draw_sphere(18, 16, 24, false);
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(0.2f, 0.9f, 0.4f, 0.6f);
    glTranslatef(55, 0, 0);
    draw_sphere(18, 16, 24, false);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    GLuint lists = glGenLists(2);
    glNewList(lists, GL_COMPILE);
    glColor4f(1, 0.2f, 0.2f, 0.4f);
    draw_quad(-14, -14, 14, 14, 0);
    glEndList();
    glNewList(lists + 1, GL_COMPILE);
    draw_quad(-14, -14, 14, 14, 0);
    glEndList();
    glLoadIdentity();
    glTranslatef(-55, -30, -150);
    glCallList(lists);
    glTranslatef(55, 0, 0);
    glColor4f(0.2f, 0.2f, 1, 0.3f);
    glCallList(lists + 1);
    glColor4f(1, 1, 0.2f, 0.5f);
    draw_quad(41, -14, 69, 14, 0);
}

// The demo's light 0 has no diffuse colour; here a second light has one,
// so the diffuse term counts.
void light_partly_diffuse() {
    glDisable(GL_FOG);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
    const GLfloat diffuse[] = {0.7f, 0.5f, 0.3f, 1}, direction[] = {0.5f, 0.6f, 0.6f, 0};
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, direction);
    glEnable(GL_LIGHT1);
    const GLfloat material[] = {0.6f, 0.7f, 0.8f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, material);
    clear_to(0.15f);
    glTranslatef(0, 0, -300);
    draw_sphere(120, 24, 36, false);
}

}  // namespace

const ElementCase kShortcutCases[] = {
    {"fog_one_depth", fog_one_depth},
    {"texture_filters", texture_filters},
    {"texture_matrix_q", texture_matrix_q},
    {"blend_opaque_or_not", blend_opaque_or_not},
    {"light_partly_diffuse", light_partly_diffuse},
    {nullptr, nullptr},
};
