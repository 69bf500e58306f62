#include <math.h>
#include <stdio.h>

#include "element_cases.h"

void report(const std::string& line) { printf("state %s\n", line.c_str()); }

void report_layer(const std::string& line) { printf("layer %s\n", line.c_str()); }

void report_error(const char* after) {
    char line[128];
    snprintf(line, sizeof line, "error after %s: 0x%04X", after, glGetError());
    report(line);
}

void clear_to_rgb(float r, float g, float b) {
    glClearColor(r, g, b, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glLoadIdentity();
}

void clear_to(float grey) { clear_to_rgb(grey, grey, grey); }

static void sphere_vertex(float radius, int stack, int stacks, int slice, int slices, bool coloured) {
    double theta = M_PI * stack / stacks, phi = 2 * M_PI * slice / slices;
    float n[3] = {(float)(sin(theta) * cos(phi)), (float)cos(theta), (float)(sin(theta) * sin(phi))};
    if (coloured) glColor4f(0.5f + 0.5f * n[0], 0.5f + 0.5f * n[1], 0.3f, 1);
    glNormal3fv(n);
    glVertex3f(radius * n[0], radius * n[1], radius * n[2]);
}

void draw_sphere(float radius, int stacks, int slices, bool coloured) {
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < stacks; i++)
        for (int j = 0; j < slices; j++) {
            // Outward-facing, counter-clockwise seen from outside.
            sphere_vertex(radius, i, stacks, j, slices, coloured);
            sphere_vertex(radius, i + 1, stacks, j + 1, slices, coloured);
            sphere_vertex(radius, i + 1, stacks, j, slices, coloured);
            sphere_vertex(radius, i, stacks, j, slices, coloured);
            sphere_vertex(radius, i, stacks, j + 1, slices, coloured);
            sphere_vertex(radius, i + 1, stacks, j + 1, slices, coloured);
        }
    glEnd();
}

void draw_quad(float x0, float y0, float x1, float y1, float z) {
    glBegin(GL_QUADS);
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
    glEnd();
}
