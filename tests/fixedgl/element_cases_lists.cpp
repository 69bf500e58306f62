// Display lists: replayed under different matrices and from other lists,
// the current colour and material they leave, attributes they do not set
// taken at replay, compile-and-execute, and more materials in one list than
// one draw's table holds.
#include "element_cases.h"

#ifdef QO_ELEMENTS_ON_LAYER
#include "fixedgl/fixedgl.h"
#endif

namespace {

void unlit_quad(float size) {
    glBegin(GL_QUADS);
    glVertex3f(-size, -size, 0);
    glVertex3f(size, -size, 0);
    glVertex3f(size, size, 0);
    glVertex3f(-size, size, 0);
    glEnd();
}

void lights_on() {
    glDisable(GL_FOG);
    const GLfloat white[] = {0.9f, 0.9f, 0.9f, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glEnable(GL_NORMALIZE);
}

// One list (a blade of per-corner colours, and a call of a second list)
// replayed at three places.
void list_matrices() {
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    clear_to(0.2f);
    GLuint lists = glGenLists(2);
    glNewList(lists + 1, GL_COMPILE);
    glColor4f(0.9f, 0.9f, 0.2f, 1);
    glTranslatef(0, 12, 0);
    unlit_quad(3);
    glEndList();
    glNewList(lists, GL_COMPILE);
    glPushMatrix();
    glBegin(GL_QUADS);
    glColor4f(1, 0, 0, 1);
    glVertex3f(-4, -10, 0);
    glColor4f(0, 1, 0, 1);
    glVertex3f(4, -10, 0);
    glColor4f(0, 0, 1, 0.5f);
    glVertex3f(8, 10, 0);
    glVertex3f(-8, 10, 0);
    glEnd();
    glCallList(lists + 1);
    glPopMatrix();
    glEndList();
    glTranslatef(-30, 0, -100);
    glCallList(lists);
    glTranslatef(30, 5, 0);
    glRotatef(40, 0, 0, 1);
    glCallList(lists);
    glLoadIdentity();
    glTranslatef(25, -10, -100);
    glRotatef(-30, 1, 1, 1);
    glScalef(1.5f, 0.8f, 1);
    glCallList(lists);
}

// After a replay, the current colour and material are the list's last: an
// unlit quad with no colour of its own and a lit sphere with no material of
// its own show them.
void list_leaves_state() {
    lights_on();
    glDisable(GL_COLOR_MATERIAL);
    clear_to(0.2f);
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    const GLfloat ambient[] = {0.3f, 0.1f, 0.1f, 1}, diffuse[] = {0.8f, 0.2f, 0.1f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glColor4f(0.2f, 0.7f, 0.9f, 1);
    glNormal3f(0, 0, 1);
    glBegin(GL_TRIANGLES);
    glVertex3f(-10, -10, 0);
    glVertex3f(10, -10, 0);
    glVertex3f(0, 10, 0);
    glEnd();
    glEndList();
    glColor4f(1, 1, 1, 1);
    glTranslatef(-35, 20, -100);
    glCallList(list);
    glDisable(GL_LIGHTING);
    glLoadIdentity();
    glTranslatef(0, 20, -100);
    unlit_quad(10);
    glEnable(GL_LIGHTING);
    glLoadIdentity();
    glTranslatef(0, -80, -400);
    draw_sphere(80, 24, 36, false);
}

// A list that sets no colour, normal or texture coordinate: its vertices
// take the current ones at each replay.
void list_inherits() {
    lights_on();
    glEnable(GL_COLOR_MATERIAL);
    clear_to(0.2f);
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_QUADS);
    glVertex3f(-10, -10, 0);
    glVertex3f(10, -10, 0);
    glVertex3f(10, 10, 0);
    glVertex3f(-10, 10, 0);
    glEnd();
    glEndList();
    const float colours[3][4] = {{1, 0.5f, 0, 1}, {0.2f, 0.4f, 1, 1}, {0.5f, 1, 0.5f, 0.5f}};
    const float normals[3][3] = {{0, 0, 1}, {0.6f, 0, 0.8f}, {0, -0.8f, 0.6f}};
    for (int i = 0; i < 3; i++) {
        glLoadIdentity();
        glTranslatef(-35 + 35.0f * i, 0, -100);
        glColor4fv(colours[i]);
        glNormal3fv(normals[i]);
        glCallList(list);
    }
}

// A list that sets the colour part way through its geometry: the vertices
// before take the current colour at replay, those after keep the list's.
void list_inherit_mixed() {
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    clear_to(0.2f);
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-10, -10, 0);
    glVertex3f(-10, 10, 0);
    glColor4f(0.1f, 0.9f, 0.4f, 1);
    glVertex3f(10, -10, 0);
    glVertex3f(10, 10, 0);
    glEnd();
    glEndList();
    glTranslatef(-25, 0, -100);
    glColor4f(1, 0.2f, 0.2f, 1);
    glCallList(list);
    glTranslatef(50, 0, 0);
    glColor4f(0.3f, 0.3f, 1, 1);
    glCallList(list);
}

// Compiled and drawn at once, then replayed elsewhere.
void list_compile_and_execute() {
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    clear_to(0.3f);
    GLuint list = glGenLists(1);
    glTranslatef(-20, 0, -100);
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    glColor4f(0.8f, 0.3f, 0.6f, 1);
    unlit_quad(12);
    glTranslatef(25, 10, 0);
    glEndList();
    glColor4f(0, 0, 0, 1);
    glCallList(list);
    unlit_quad(5);
}

// Twelve spheres of twelve materials in one list: more than one draw's
// material table holds.
void list_many_materials() {
    lights_on();
    glDisable(GL_COLOR_MATERIAL);
    clear_to(0.15f);
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    for (int i = 0; i < 12; i++) {
        const GLfloat diffuse[] = {(i % 3) / 2.0f, (i / 3 % 2) * 0.8f + 0.1f, (i / 6) * 0.7f + 0.2f, 1};
        const GLfloat specular[] = {0.1f * i, 0.1f * i, 0.1f * i, 1};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 5.0f + 10 * i);
        glPushMatrix();
        glTranslatef(-150 + 100.0f * (i % 4), -100 + 100.0f * (i / 4), 0);
        draw_sphere(40, 12, 18, false);
        glPopMatrix();
    }
    glEndList();
    glTranslatef(0, 0, -500);
    glCallList(list);
}

// The layer's discard mode: clears and drawing between its start and end
// are dropped and everything else keeps its effect (a matrix, a colour, a
// list compiled then). Through the system's GL the same calls run without
// the dropped ones, so both pictures must be the same.
void discard_keeps_state() {
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    clear_to(0.3f);
#ifdef QO_ELEMENTS_ON_LAYER
    fixedgl_set_discard(true);
    clear_to_rgb(1, 0, 0);
#endif
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor4f(0.2f, 0.8f, 0.5f, 1);
    unlit_quad(8);
    glEndList();
    glTranslatef(-20, 10, -100);
    glColor4f(1, 0.8f, 0.1f, 1);
#ifdef QO_ELEMENTS_ON_LAYER
    unlit_quad(30);
    fixedgl_set_discard(false);
#endif
    unlit_quad(10);  // yellow, where the translation put it
    glTranslatef(35, 0, 0);
    glCallList(list);
}

}  // namespace

const ElementCase kListCases[] = {
    {"list_matrices", list_matrices},
    {"list_leaves_state", list_leaves_state},
    {"list_inherits", list_inherits},
    {"list_inherit_mixed", list_inherit_mixed},
    {"list_compile_and_execute", list_compile_and_execute},
    {"list_many_materials", list_many_materials},
    {"discard_keeps_state", discard_keeps_state},
    {nullptr, nullptr},
};
