// The cases one picture is drawn for, once through the system's GL and once
// through the layer, by the same source compiled twice. Each starts on a
// context set up as the demo sets it (its fixed state, textures and model),
// and draws one element of the scene, or one thing the layer must do as GL
// does. Lines a case reports with report() are compared too.
#ifndef QO_TESTS_FIXEDGL_ELEMENT_CASES_H
#define QO_TESTS_FIXEDGL_ELEMENT_CASES_H

#include <GL/gl.h>

#include <string>

struct ElementCase {
    const char* name;
    void (*draw)();
};

extern const ElementCase kSceneCases[];
extern const ElementCase kLightingCases[];
extern const ElementCase kRasterCases[];
extern const ElementCase kListCases[];
extern const ElementCase kShortcutCases[];

// A line for the comparison (state GL reports, errors).
void report(const std::string& line);
// A line only the layer's build prints (its draw counts); not compared.
void report_layer(const std::string& line);
// glGetError's answer, reported.
void report_error(const char* after);

// Helpers.
void clear_to(float grey);
void clear_to_rgb(float r, float g, float b);
// A sphere about the origin of the current matrix, as triangles with unit
// normals; with per-vertex colours (a gradient) when `coloured`.
void draw_sphere(float radius, int stacks, int slices, bool coloured);
// An axis-aligned quad at depth z (eye units, negative) in the current matrix.
void draw_quad(float x0, float y0, float x1, float y1, float z);

#endif
