#include "tools/icon/model_picture.h"

#include <GL/gl.h>
#include <math.h>

#include "model/include2.h"

namespace {

// A cool light from the upper left and a warm one from behind on the right,
// the colours of the demo's rings and its orange glow.
void set_lights() {
    static const GLfloat key_position[] = {-1.0f, 1.2f, 1.5f, 0.0f};
    static const GLfloat key_colour[] = {2.6f, 3.0f, 3.6f, 1.0f};
    static const GLfloat rim_position[] = {1.5f, -0.3f, -0.6f, 0.0f};
    static const GLfloat rim_colour[] = {3.2f, 1.6f, 0.5f, 1.0f};
    static const GLfloat ambient[] = {1.2f, 1.3f, 1.5f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, key_position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, key_colour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, key_colour);
    glLightfv(GL_LIGHT1, GL_POSITION, rim_position);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, rim_colour);
    glLightfv(GL_LIGHT1, GL_SPECULAR, rim_colour);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
}

// The largest distance of a vertex from the centre, which bounds the model
// however it is turned.
GLfloat radius(const _GLMmodel* model) {
    GLfloat r = 0;
    for (GLuint i = 1; i <= model->nvertices; i++) {
        const GLfloat* v = &model->vertices[3 * i];
        r = fmaxf(r, sqrtf(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    }
    return r;
}

}  // namespace

bool draw_model(const char* obj_path, int size, Drawing& drawing) {
    _GLMmodel* model = glmReadOBJ(obj_path);
    if (model->nvertices == 0) {
        glmDelete(model);
        return false;
    }
    glmUnitize(model);
    glmFacetNormals(model);
    glmVertexNormals(model, 90.0f);

    glViewport(0, 0, size, size);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    set_lights();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const GLfloat scale = 0.97f / radius(model);
    glRotatef(-25, 1, 0, 0);
    glRotatef(30, 0, 1, 0);
    glScalef(scale, scale, scale);
    glmDraw(model, DRAW_SMOOTH | DRAW_MATERIAL);
    glFinish();
    glmDelete(model);

    const size_t pixels = (size_t)size * size;
    drawing.size = size;
    drawing.rgb.resize(pixels * 3);
    std::vector<GLfloat> depth(pixels);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGB, GL_UNSIGNED_BYTE, drawing.rgb.data());
    glReadPixels(0, 0, size, size, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    drawing.covered.resize(pixels);
    for (size_t i = 0; i < pixels; i++) drawing.covered[i] = depth[i] < 1.0f;
    return true;
}

std::vector<unsigned char> reduce_to_rgba(const Drawing& drawing, int factor) {
    const int out_size = drawing.size / factor;
    std::vector<unsigned char> rgba((size_t)out_size * out_size * 4);
    for (int y = 0; y < out_size; y++)
        for (int x = 0; x < out_size; x++) {
            unsigned sum[3] = {0, 0, 0}, covered = 0;
            for (int dy = 0; dy < factor; dy++)
                for (int dx = 0; dx < factor; dx++) {
                    size_t i = (size_t)(y * factor + dy) * drawing.size + (x * factor + dx);
                    if (!drawing.covered[i]) continue;
                    covered++;
                    for (int c = 0; c < 3; c++) sum[c] += drawing.rgb[i * 3 + c];
                }
            // The drawing's bottom row is the picture's last.
            unsigned char* out = &rgba[((size_t)(out_size - 1 - y) * out_size + x) * 4];
            for (int c = 0; c < 3; c++) out[c] = covered ? (unsigned char)((sum[c] + covered / 2) / covered) : 0;
            out[3] = (unsigned char)((covered * 255 + factor * factor / 2) / (factor * factor));
        }
    return rgba;
}
