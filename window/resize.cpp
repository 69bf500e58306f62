// Viewport and matrices after a size change: both matrices identity, the
// model-view one current. No perspective is set here.
#include <GL/gl.h>

#include "window/gl_window.h"

void ReSizeGLScene(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
