// Making, releasing and switching the layer's contexts, and GL's start
// values: the ones a fresh GL 1.1 context has.
#include <string.h>

#include "fixedgl/calls.h"
#include "fixedgl/draw.h"

FixedglContext* fixedgl_current = nullptr;

static void set4(float* v, float a, float b, float c, float d) {
    v[0] = a;
    v[1] = b;
    v[2] = c;
    v[3] = d;
}

static void start_lights(FixedglContext& c) {
    for (int i = 0; i < kMaxLights; i++) {
        Light& l = c.lights[i];
        set4(l.ambient, 0, 0, 0, 1);
        // Light 0 alone is white.
        float on = i == 0 ? 1.0f : 0.0f;
        set4(l.diffuse, on, on, on, 1);
        set4(l.specular, on, on, on, 1);
        set4(l.position, 0, 0, 1, 0);
        l.spot_direction[0] = 0;
        l.spot_direction[1] = 0;
        l.spot_direction[2] = -1;
        l.spot_exponent = 0;
        l.spot_cutoff = 180;
        l.attenuation[0] = 1;
        l.attenuation[1] = 0;
        l.attenuation[2] = 0;
    }
    for (Material* m : {&c.front, &c.back}) {
        set4(m->ambient, 0.2f, 0.2f, 0.2f, 1);
        set4(m->diffuse, 0.8f, 0.8f, 0.8f, 1);
        set4(m->specular, 0, 0, 0, 1);
        set4(m->emission, 0, 0, 0, 1);
        m->shininess = 0;
    }
}

// The ES 2 state the layer's bookkeeping starts from, set explicitly.
static void start_es_state(FixedglContext& c) {
    es2.Disable(GL_BLEND);
    es2.BlendFunc(GL_ONE, GL_ZERO);
    es2.Disable(GL_DEPTH_TEST);
    es2.DepthFunc(GL_LESS);
    es2.DepthMask(GL_TRUE);
    es2.Disable(GL_CULL_FACE);
    es2.CullFace(GL_BACK);
    es2.FrontFace(GL_CCW);
    es2.ClearColor(0, 0, 0, 0);
    es2.ClearDepthf(1);
    es2.BindTexture(GL_TEXTURE_2D, 0);
    es2.UseProgram(0);
    // Rows go up and come back packed by the layer itself.
    es2.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    es2.PixelStorei(GL_PACK_ALIGNMENT, 4);
    GLint viewport[4];
    es2.GetIntegerv(GL_VIEWPORT, viewport);
    memcpy(c.viewport, viewport, sizeof viewport);
    memcpy(c.es.viewport, viewport, sizeof viewport);
    GLint max_size = 0;
    es2.GetIntegerv(GL_MAX_TEXTURE_SIZE, &max_size);
    if (max_size > 0) c.es_max_texture_size = max_size;
    es2.GenBuffers(1, &c.stream_buffer);
    es2.BindBuffer(GL_ARRAY_BUFFER, c.stream_buffer);
    c.es.array_buffer = c.stream_buffer;
    for (int a = 0; a < kAttribCount; a++) es2.DisableVertexAttribArray((GLuint)a);  // as EsState starts
}

FixedglContext* fixedgl_create_context() {
    if (!es2.CreateProgram) return nullptr;  // never loaded
    FixedglContext* c = new FixedglContext();
    for (MatrixStack* s : {&c->modelview, &c->projection, &c->texture_matrix}) s->entries[0] = mat4_identity();
    c->texture_matrix.limit = 10;
    start_lights(*c);
    start_es_state(*c);
    if (!c->stream_buffer) {
        delete c;
        return nullptr;
    }
    return c;
}

void fixedgl_make_current(FixedglContext* context) { fixedgl_current = context; }

void fixedgl_delete_context(FixedglContext* context) {
    if (!context) return;
    delete context->compiling;  // a list left open
    if (context == fixedgl_current) {
        release_es_objects(*context);
        fixedgl_current = nullptr;
    }
    delete context;
}

void fixedgl_flush() {
    if (fixedgl_current) {
        flush_batch(*fixedgl_current);
        fixedgl_current->counts.frames++;
    }
}

void fixedgl_set_discard(bool discard) {
    if (!fixedgl_current) return;
    flush_batch(*fixedgl_current);  // what came before is drawn as it was specified
    fixedgl_current->discard = discard;
}

FixedglCounts fixedgl_counts() { return fixedgl_current ? fixedgl_current->counts : FixedglCounts(); }
