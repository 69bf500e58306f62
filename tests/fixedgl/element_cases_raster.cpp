// Fog at many depths and in each mode, texture modulation and mipmaps,
// both of the demo's blend functions, the depth test, quads with a colour
// per corner (which diagonal a quad is split on), the other primitives, and
// GL's error rules.
#include <math.h>

#include "demo/scene_resources.h"
#include "element_cases.h"

namespace {

void unlit() {
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// White bands at depths from 150 to 2500, each filling its share of the view,
// and a floor running from the near plane out to depth 5000 below them.
void fog_depths() {
    unlit();
    clear_to(0.0f);
    const float depths[] = {150, 300, 500, 800, 1200, 1800, 2500};
    glColor4f(1, 1, 1, 1);
    for (int i = 0; i < 7; i++) {
        float d = depths[i], half = d * 0.5774f;  // tan 30 degrees
        float y0 = -half * 0.2f + half * 0.15f * i, y1 = y0 + half * 0.15f;
        draw_quad(-half, y0 + half * 0.05f, half * 0.9f, y1 + half * 0.05f, -d);
    }
    glColor4f(0.8f, 0.9f, 1.0f, 1);
    glBegin(GL_QUADS);
    glVertex3f(-60, -60, -101);
    glVertex3f(60, -60, -101);
    glVertex3f(3000, -600, -5000);
    glVertex3f(-3000, -600, -5000);
    glEnd();
}

// A floor under linear fog on the left and exponential fog on the right,
// in a fog of colour.
void fog_modes() {
    unlit();
    const GLfloat colour[] = {0.2f, 0.4f, 0.6f, 1};
    glFogfv(GL_FOG_COLOR, colour);
    clear_to(0.0f);
    glColor4f(1, 0.9f, 0.7f, 1);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 150);
    glFogf(GL_FOG_END, 1500);
    glBegin(GL_QUADS);
    glVertex3f(-60, -60, -101);
    glVertex3f(0, -60, -101);
    glVertex3f(0, 500, -3000);
    glVertex3f(-1700, 500, -3000);
    glEnd();
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_DENSITY, 0.002f);
    glBegin(GL_QUADS);
    glVertex3f(0, -60, -101);
    glVertex3f(60, -60, -101);
    glVertex3f(1700, 500, -3000);
    glVertex3f(0, 500, -3000);
    glEnd();
}

void textured_quad(float x0, float y0, float x1, float y1, float z, float repeat) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x0, y0, z);
    glTexCoord2f(repeat, 0);
    glVertex3f(x1, y0, z);
    glTexCoord2f(repeat, repeat);
    glVertex3f(x1, y1, z);
    glTexCoord2f(0, repeat);
    glVertex3f(x0, y1, z);
    glEnd();
}

// The backdrop's picture modulated by a colour, large, small (minified
// through the mipmaps) and repeated; the overlay's under fog.
void texture_modulate() {
    unlit();
    glDisable(GL_FOG);
    glEnable(GL_TEXTURE_2D);
    clear_to(0.1f);
    glBindTexture(GL_TEXTURE_2D, TextureArray[2]);
    glColor4f(0.5f, 0.8f, 0.3f, 1);
    textured_quad(-55, -10, 10, 45, -100, 1);
    glColor4f(1, 1, 1, 1);
    textured_quad(20, 20, 40, 35, -100, 1);     // about a third of the picture's size
    textured_quad(20, -5, 24, -2, -100, 1);     // a few texels of the smallest levels
    textured_quad(-55, -55, -5, -15, -100, 3);  // repeating
    glEnable(GL_FOG);
    glBindTexture(GL_TEXTURE_2D, TextureArray[3]);
    glColor4f(1, 0.6f, 0.8f, 1);
    textured_quad(5, -55, 200, 10, -400, 1);
}

// Translucent quads over each other and over a coloured ground.
void blend_alpha() {
    unlit();
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    clear_to_rgb(0.2f, 0.6f, 0.3f);
    const float colours[4][4] = {{1, 0, 0, 0.3f}, {0, 0, 1, 0.5f}, {1, 1, 0, 0.7f}, {0.1f, 0.1f, 0.1f, 0.9f}};
    for (int i = 0; i < 4; i++) {
        glColor4fv(colours[i]);
        draw_quad(-50 + 18.0f * i, -40 + 10.0f * i, 0 + 18.0f * i, 20 + 10.0f * i, -100);
    }
    glEnable(GL_DEPTH_TEST);
}

// Destination times (1 + source), over per-corner colours, clamped at white.
void blend_dst_color() {
    unlit();
    glDisable(GL_FOG);
    glDisable(GL_DEPTH_TEST);
    clear_to(0.0f);
    glBegin(GL_QUADS);
    glColor4f(0.1f, 0.2f, 0.9f, 1);
    glVertex3f(-58, -44, -100);
    glColor4f(0.9f, 0.1f, 0.2f, 1);
    glVertex3f(58, -44, -100);
    glColor4f(0.6f, 0.8f, 0.1f, 1);
    glVertex3f(58, 44, -100);
    glColor4f(0.3f, 0.3f, 0.3f, 1);
    glVertex3f(-58, 44, -100);
    glEnd();
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ONE);
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, 1);
    glVertex3f(-40, -30, -100);
    glColor4f(0.2f, 0.4f, 0.6f, 1);
    glVertex3f(40, -30, -100);
    glColor4f(0, 0, 0, 1);
    glVertex3f(40, 30, -100);
    glColor4f(0.7f, 0.5f, 0.3f, 1);
    glVertex3f(-40, 30, -100);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

// Two quads through each other, one drawn without the test, one redrawn at
// the same depth with GL_LEQUAL and GL_LESS, and one that writes no depth.
void depth_test() {
    unlit();
    glDisable(GL_FOG);
    clear_to(0.1f);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(-50, -30, -150);
    glVertex3f(30, -30, -250);
    glVertex3f(30, 30, -250);
    glVertex3f(-50, 30, -150);
    glEnd();
    glColor4f(0, 1, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(-50, -20, -250);
    glVertex3f(30, -20, -150);
    glVertex3f(30, 20, -150);
    glVertex3f(-50, 20, -250);
    glEnd();
    glDisable(GL_DEPTH_TEST);
    glColor4f(0, 0, 1, 1);
    draw_quad(-20, -10, 0, 40, -300);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glColor4f(1, 1, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(-50, -30, -150);
    glVertex3f(-10, -30, -200);
    glVertex3f(-10, 30, -200);
    glVertex3f(-50, 30, -150);
    glEnd();
    glDepthFunc(GL_LESS);
    glDepthMask(GL_FALSE);
    glColor4f(1, 0, 1, 1);
    draw_quad(10, -40, 45, 0, -120);
    glDepthMask(GL_TRUE);
    glColor4f(0, 1, 1, 1);
    draw_quad(20, -45, 50, -10, -130);
}

// A quad that is no parallelogram, with a colour at each corner, `scale`
// times the size of one that fills most of the view: the colours inside show
// on which diagonal it was split.
void kite(float scale) {
    glBegin(GL_QUADS);
    glColor4f(1, 0, 0, 1);
    glVertex3f(-50 * scale, -40 * scale, -100);
    glColor4f(0, 1, 0, 1);
    glVertex3f(45 * scale, -30 * scale, -100);
    glColor4f(0, 0, 1, 1);
    glVertex3f(30 * scale, 42 * scale, -100);
    glColor4f(1, 1, 1, 1);
    glVertex3f(-20 * scale, 15 * scale, -100);
    glEnd();
}

// Inside the view: the system's GL splits it from the first corner to the third.
void quad_corners() {
    unlit();
    glDisable(GL_FOG);
    clear_to(0.0f);
    kite(1);
}

// The same quad drawn where part of it is clipped: the system's GL then
// splits it on the other diagonal.
void quad_corners_clipped() {
    unlit();
    glDisable(GL_FOG);
    clear_to(0.0f);
    glTranslatef(-30, 0, 0);
    kite(1);
}

// Quads from glBegin/glEnd pairs one after the other, the first inside the
// view, the second clipped: drawn as one draw, both split as clipped ones.
void quad_run() {
    unlit();
    glDisable(GL_FOG);
    clear_to(0.0f);
    glTranslatef(-25, 0, 0);
    kite(0.5f);
    glColor4f(1, 1, 1, 1);  // attribute calls do not part the run
    glBegin(GL_QUADS);
    glColor4f(1, 0, 0, 1);
    glVertex3f(40 - 25, -20, -100);
    glColor4f(0, 1, 0, 1);
    glVertex3f(90 - 25, -15, -100);
    glColor4f(0, 0, 1, 1);
    glVertex3f(80 - 25, 21, -100);
    glColor4f(1, 1, 1, 1);
    glVertex3f(30 - 25, 8, -100);
    glEnd();
}

// Strips, fans, polygons and quad strips, with a colour per vertex.
void primitives() {
    unlit();
    glDisable(GL_FOG);
    clear_to(0.1f);
    const GLenum modes[] = {GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN, GL_POLYGON, GL_QUAD_STRIP};
    for (int m = 0; m < 4; m++) {
        float x = -52 + 27.0f * m;
        glBegin(modes[m]);
        for (int i = 0; i < 8; i++) {
            glColor4f(i / 7.0f, 1 - i / 7.0f, (i % 3) / 2.0f, 1);
            float a = i * 0.8f;
            if (modes[m] == GL_TRIANGLE_STRIP || modes[m] == GL_QUAD_STRIP)
                glVertex3f(x + (i & 1) * 18 + (i % 3), -40 + 10.0f * (i / 2), -100);
            else
                glVertex3f(x + 10 + 11 * cosf(a), 10 * sinf(a) + (i == 3 ? 4 : 0), -100);
        }
        glEnd();
    }
}

// Calls GL refuses, and what glGetError says after each.
void gl_errors() {
    glPopMatrix();
    report_error("popping the last matrix");
    glEnable(0x1234);
    report_error("enabling nothing");
    glMatrixMode(GL_TEXTURE_2D);
    report_error("an unknown matrix mode");
    glEnd();
    report_error("glEnd alone");
    glBegin(GL_QUADS);
    glEnable(GL_FOG);
    glEnd();
    report_error("glEnable inside glBegin");
    glNewList(0, GL_COMPILE);
    report_error("list 0");
    glEndList();
    report_error("glEndList alone");
    glBlendFunc(GL_SRC_COLOR, GL_ONE);
    report_error("a destination factor as source");
    glFogi(GL_FOG_MODE, GL_LINE);
    report_error("an unknown fog mode");
    const GLfloat bad[] = {-1};
    glFogfv(GL_FOG_DENSITY, bad);
    report_error("a negative fog density");
    glLightfv(GL_LIGHT0, GL_SPOT_CUTOFF, bad);
    report_error("a negative spot cutoff");
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_REPEAT);
    report_error("a wrap mode as filter");
    const GLfloat colour[] = {1, 1, 1, 1};
    glMaterialfv(GL_LEFT, GL_AMBIENT, colour);
    report_error("an unknown face");
    for (int i = 0; i < 40; i++) glPushMatrix();
    report_error("40 pushes");
    glViewport(0, 0, -1, 10);
    report_error("a negative viewport");
    report_error("nothing");
}

}  // namespace

const ElementCase kRasterCases[] = {
    {"fog_depths", fog_depths},
    {"fog_modes", fog_modes},
    {"texture_modulate", texture_modulate},
    {"blend_alpha", blend_alpha},
    {"blend_dst_color", blend_dst_color},
    {"depth_test", depth_test},
    {"quad_corners", quad_corners},
    {"quad_corners_clipped", quad_corners_clipped},
    {"quad_run", quad_run},
    {"primitives", primitives},
    {"gl_errors", gl_errors},
    {nullptr, nullptr},
};
