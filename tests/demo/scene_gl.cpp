#include "scene_gl.h"

#include <math.h>

#include "platform/scripted.h"
#include "tests/support/demo_start_state.h"

static bool normalize_at_start = true;

bool normalize_after_start_up() { return normalize_at_start; }

bool open_scene_context() {
    static bool opened = false;
    if (opened) return true;
    if (!scripted::open_gl_context(1024, 768) || !set_demo_start_state(QO_DATA_DIR)) return false;
    normalize_at_start = glIsEnabled(GL_NORMALIZE);
    opened = true;
    return true;
}

Texels texture_level0(GLuint texture) {
    Texels t;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &t.height);
    t.rgb.resize((size_t)t.width * t.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, t.rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return t;
}

double sample(const Texels& t, double s, double tt, int c) {
    double u = s * t.width - 0.5, v = tt * t.height - 0.5;
    int x0 = (int)floor(u), y0 = (int)floor(v);
    double fx = u - x0, fy = v - y0;
    auto at = [&](int x, int y) {
        x = ((x % t.width) + t.width) % t.width;
        y = ((y % t.height) + t.height) % t.height;
        return t.rgb[((size_t)y * t.width + x) * 3 + c] / 255.0;
    };
    return (at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
           (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy;
}

double fog_keep(double depth) { return exp(-pow(0.0014 * depth, 2)); }

Rgb read_pixel(int x, int y) {
    unsigned char p[3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return Rgb{p[0], p[1], p[2]};
}

float read_depth(int x, int y) {
    float d;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d);
    return d;
}

void clear_to(float grey) {
    glClearColor(grey, grey, grey, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.1f, 0.1f, 0.1f, 0.0f);
    glLoadIdentity();
}
