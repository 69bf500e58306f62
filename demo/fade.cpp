// The black fade overlay and its steps.
#include <GL/gl.h>

#include "demo/fade.h"
#include "demo/run_loop.h"

float mustuus = 1.0f;

// A black quad at z = -100, in front of everything the scene drew and wider
// than the view, so it darkens the whole picture by (1 - alpha).
void musta(float alpha) {
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glTranslatef(0, 0, -100);
    glBegin(GL_QUADS);
    glColor4f(0, 0, 0, alpha);
    glVertex2f(-125, -60);
    glVertex2f(125, -60);
    glVertex2f(125, 60);
    glVertex2f(-125, 60);
    glEnd();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

// Steps count frames, in double precision stored back as float; all tests strict.
void fade_step() {
    if (currentTime < 10000.0) {
        mustuus = (float)(mustuus - 0.01);
        musta(mustuus);
    }
    if (currentTime > 258000.0 && currentTime < 268000.0) {
        mustuus = (float)(mustuus + 0.01);
        musta(mustuus);
    }
}
