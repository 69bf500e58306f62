// The GL state fixed for the whole run: projection, lights, material, fog and
// depth test. The model-view matrix is current afterwards and stays so.
#include <GL/gl.h>
#include <GL/glu.h>

#include "demo/run_loop.h"

void set_fixed_gl_state() {
    static const GLfloat position[] = {0, 0, 0, 1};
    static const GLfloat black[] = {0, 0, 0, 1};
    static const GLfloat white[] = {1, 1, 1, 1};
    static const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1};
    static const GLfloat specular[] = {0.5f, 0.5f, 0.5f, 1};
    static const GLfloat no_ambient[] = {0, 0, 0, 1};
    static const GLfloat fog_colour[] = {0.1f, 0.1f, 0.1f, 0.0f};

    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    gluPerspective(60.0, 1.0, 100.0, 10000.0);  // onto the identity the window left; aspect 1 on purpose
    glMatrixMode(GL_MODELVIEW);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);

    // Given at identity, so all three lights sit at the eye. Light 0 has no diffuse colour.
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, black);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMateriali(GL_FRONT, GL_SHININESS, 10);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    static const GLenum dark_lights[] = {GL_LIGHT1, GL_LIGHT2};
    for (GLenum light : dark_lights) {
        glLightfv(light, GL_POSITION, position);
        glLightfv(light, GL_DIFFUSE, white);
        glLightfv(light, GL_AMBIENT, ambient);
        glLightfv(light, GL_SPECULAR, specular);
    }
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, no_ambient);

    glFogfv(GL_FOG_COLOR, fog_colour);
    glFogf(GL_FOG_DENSITY, 0.0014f);
    glFogi(GL_FOG_MODE, GL_EXP2);
    glEnable(GL_FOG);
    glHint(GL_FOG_HINT, GL_NICEST);
}
