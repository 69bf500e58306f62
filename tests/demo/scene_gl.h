// A headless GL context set up as the demo sets it, for drawing the scene's
// elements one by one, and the sums that predict their pixels.
#ifndef QO_TESTS_SCENE_GL_H
#define QO_TESTS_SCENE_GL_H

#include <GL/gl.h>

#include <vector>

struct Texels {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // level 0 as GL holds it, bottom row first
};

// Opens (once) a 1024x768 context with the demo's fixed state, the scene's
// textures and model loaded from data/.
bool open_scene_context();

// Whether GL_NORMALIZE was on once start-up was done, before anything was drawn.
bool normalize_after_start_up();

Texels texture_level0(GLuint texture);

// Bilinear sample (repeating) at texture coordinates (s, t), channel c, 0..1.
double sample(const Texels& t, double s, double tt, int c);

// The fog's share of a surface's own colour at eye depth z.
double fog_keep(double depth);

struct Rgb {
    int r, g, b;
    int operator[](int c) const { return c == 0 ? r : c == 1 ? g : b; }
};

Rgb read_pixel(int x, int y);
float read_depth(int x, int y);
void clear_to(float grey);

#endif
