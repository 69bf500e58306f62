// One frame of the scene: swarm, backdrop, two rings of blades, two overlays.
// Each element leaves the GL state as it found it (depth test on, lighting
// on, texturing off, alpha blending), except GL_NORMALIZE, which the rings
// switch on for good.
#include <GL/gl.h>

#include "demo/scene.h"
#include "demo/scene_elements.h"
#include "demo/scene_resources.h"
#include "demo/swarm.h"

static void restore_state() {
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

// The darkened picture over the whole view, without depth test, so the swarm
// shows through at 20 %.
void draw_backdrop() {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, TextureArray[2]);
    glTranslatef(0, 0, -150);
    glBegin(GL_QUADS);
    glColor4f(0.3f, 0.3f, 0.3f, 0.8f);
    glTexCoord2f(0, 0);
    glVertex2f(-120, -90);
    glTexCoord2f(1, 0);
    glVertex2f(120, -90);
    glTexCoord2f(1, 1);
    glVertex2f(120, 90);
    glTexCoord2f(0, 1);
    glVertex2f(-120, 90);
    glEnd();
    glPopMatrix();
    restore_state();
}

// Blades from transparent inside to opaque black outside.
static void inner_blade() {
    glBegin(GL_QUADS);
    glColor4f(0, 0, 0, 0);
    glVertex3f(-1.5f, -7, 0);
    glVertex3f(1.5f, -7, 0);
    glColor4f(0, 0, 0, 1);
    glVertex3f(6, 46, 0);
    glColor4f(0, 0, 0, 1);
    glVertex3f(-6, 46, 0);
    glEnd();
}

static void outer_blade() {
    glBegin(GL_QUADS);
    glColor4f(0, 0, 0, 1);
    glVertex3f(-7, -7, 0);
    glColor4f(0, 0, 0, 1);
    glVertex3f(7, -7, 0);
    glVertex3f(12, 35, 0);
    glVertex3f(-12, 35, 0);
    glEnd();
}

// 36 blades radiating from the centre at radius, squashed into an ellipse.
static void draw_ring(float radius, void (*blade)()) {
    glPushMatrix();
    glEnable(GL_NORMALIZE);
    glScalef(1.5f, 0.7f, 1);
    for (int k = 0; k < 36; k++) {
        glPushMatrix();
        glDisable(GL_LIGHTING);
        glRotatef((float)(k * 10), 0, 0, 1);
        glTranslatef(0, radius, 0);
        blade();
        glPopMatrix();
        glEnable(GL_LIGHTING);
    }
    glPopMatrix();
}

void draw_rings() {
    glPushMatrix();
    glTranslatef(0, 0, -100.1f);
    draw_ring(20, inner_blade);
    draw_ring(70, outer_blade);
    glPopMatrix();
}

// A picture that brightens what lies under it: destination * (1 + texel).
void draw_overlay(GLuint texture, float x, float y, float half_width, float half_height) {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBlendFunc(GL_DST_COLOR, GL_ONE);
    glTranslatef(x, y, -100);
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, 1);
    glTexCoord2f(0, 0);
    glVertex2f(-half_width, -half_height);
    glTexCoord2f(1, 0);
    glVertex2f(half_width, -half_height);
    glTexCoord2f(1, 1);
    glVertex2f(half_width, half_height);
    glTexCoord2f(0, 1);
    glVertex2f(-half_width, half_height);
    glEnd();
    glPopMatrix();
    restore_state();
}

void scene_draw(GLuint model_list) {
    draw_swarm(model_list);
    draw_backdrop();
    draw_rings();
    draw_overlay(TextureArray[3], 35, 0, 30, 30);
    draw_overlay(TextureArray[4], -40, -15, 15, 25);
}
