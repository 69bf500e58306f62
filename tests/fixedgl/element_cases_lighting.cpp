// Lighting by GL 1.1's equation: positional and directional lights, ambient,
// diffuse and specular terms, materials, normalisation, colour material,
// attenuation and spots, and the demo's own model lit.
#include "demo/scene.h"
#include "demo/scene_resources.h"
#include "element_cases.h"

namespace {

// Fog off; light 0 (at the eye, as the demo puts it) made white, a second,
// coloured light from up and left; a specular material.
void lit_setup() {
    glDisable(GL_FOG);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_BLEND);
    const GLfloat white[] = {0.8f, 0.8f, 0.8f, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    const GLfloat direction[] = {-0.5f, 0.8f, 0.4f, 0};
    const GLfloat warm[] = {0.6f, 0.4f, 0.2f, 1};
    const GLfloat warm_specular[] = {0.9f, 0.7f, 0.5f, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, direction);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, warm);
    glLightfv(GL_LIGHT1, GL_SPECULAR, warm_specular);
    glEnable(GL_LIGHT1);
    const GLfloat ambient[] = {0.15f, 0.2f, 0.25f, 1};
    const GLfloat diffuse[] = {0.3f, 0.5f, 0.7f, 1};
    const GLfloat specular[] = {0.9f, 0.9f, 0.9f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 30);
    const GLfloat scene[] = {0.1f, 0.1f, 0.1f, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, scene);
}

// A unit sphere scaled to 120 at depth 450: its normals come out 120 times
// too short unless normalised.
void scaled_sphere(bool normalize, bool coloured) {
    lit_setup();
    if (normalize) glEnable(GL_NORMALIZE);
    if (coloured) glEnable(GL_COLOR_MATERIAL);
    clear_to(0.25f);
    glTranslatef(-30, 10, -450);
    glScalef(120, 120, 120);
    draw_sphere(1, 32, 48, coloured);
}

void sphere_normalize_off() { scaled_sphere(false, false); }
void sphere_normalize_on() { scaled_sphere(true, false); }
void sphere_color_material() { scaled_sphere(true, true); }

// Emission, a local viewer, and a spot with attenuation on an unscaled
// sphere (normals already unit length).
void sphere_spot() {
    lit_setup();
    const GLfloat emission[] = {0.05f, 0.0f, 0.1f, 1};
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    const GLfloat one[] = {1};
    glLightModelfv(GL_LIGHT_MODEL_LOCAL_VIEWER, one);
    const GLfloat position[] = {150, 150, -250, 1};
    const GLfloat direction[] = {-1.0f, -1.0f, -1.0f};
    const GLfloat green[] = {0.2f, 1.0f, 0.3f, 1};
    glLightfv(GL_LIGHT2, GL_POSITION, position);
    glLightfv(GL_LIGHT2, GL_SPOT_DIRECTION, direction);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, green);
    glLightfv(GL_LIGHT2, GL_SPECULAR, green);
    const GLfloat cutoff[] = {25}, exponent[] = {8}, linear[] = {0.002f};
    glLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, cutoff);
    glLightfv(GL_LIGHT2, GL_SPOT_EXPONENT, exponent);
    glLightfv(GL_LIGHT2, GL_LINEAR_ATTENUATION, linear);
    glEnable(GL_LIGHT2);
    clear_to(0.2f);
    glTranslatef(0, 0, -400);
    draw_sphere(140, 40, 60, false);
}

// The demo's model list, large at the centre, with light 0's diffuse colour
// switched on so every term shows; then the same with the demo's lights.
void model_list_lit() {
    GLuint list = scene_model_list();
    lit_setup();
    glEnable(GL_NORMALIZE);
    clear_to(0.3f);
    glPushMatrix();
    glTranslatef(-60, 0, -400);
    glRotatef(35, 1, 1, 1);
    glScalef(1.4f, 1.4f, 1.4f);
    glCallList(list);
    glPopMatrix();
    const GLfloat black[] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, black);
    glDisable(GL_LIGHT1);
    glPushMatrix();
    glTranslatef(110, 20, -420);
    glRotatef(-50, 0.3f, 1, 0.2f);
    glCallList(list);
    glPopMatrix();
}

// The system's GL refuses a shininess outside [0, 128] and keeps the old
// one, from immediate calls and from a list's replay alike.
void shininess_out_of_range() {
    lit_setup();
    glEnable(GL_NORMALIZE);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20);
    report_error("shininess 20");
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 200);
    report_error("shininess 200");
    glMateriali(GL_FRONT, GL_SHININESS, -1);
    report_error("shininess -1");
    clear_to(0.2f);
    glPushMatrix();
    glTranslatef(-150, 0, -500);
    draw_sphere(120, 24, 36, false);
    glPopMatrix();
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 150);
    glEndList();
    report_error("compiling shininess 150");
    glCallList(list);
    report_error("replaying shininess 150");
    glTranslatef(150, 0, -500);
    draw_sphere(120, 24, 36, false);
}

}  // namespace

const ElementCase kLightingCases[] = {
    {"sphere_normalize_off", sphere_normalize_off},
    {"sphere_normalize_on", sphere_normalize_on},
    {"sphere_color_material", sphere_color_material},
    {"sphere_spot", sphere_spot},
    {"model_list_lit", model_list_lit},
    {"shininess_out_of_range", shininess_out_of_range},
    {nullptr, nullptr},
};
