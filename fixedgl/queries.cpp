// Reading back: pixels, finishing, and the state queries the tools and
// tests ask for.
#include <string.h>

#include <vector>

#include "fixedgl/calls.h"

// The integer-valued state the tools and tests ask for; false for a name
// not answered here.
static bool integer_state(FixedglContext& c, GLenum pname, GLint* params) {
    switch (pname) {
        case GL_MATRIX_MODE: *params = (GLint)c.matrix_mode; return true;
        case GL_MODELVIEW_STACK_DEPTH: *params = c.modelview.depth; return true;
        case GL_PROJECTION_STACK_DEPTH: *params = c.projection.depth; return true;
        case GL_TEXTURE_STACK_DEPTH: *params = c.texture_matrix.depth; return true;
        case GL_MAX_MODELVIEW_STACK_DEPTH: *params = c.modelview.limit; return true;
        case GL_MAX_PROJECTION_STACK_DEPTH: *params = c.projection.limit; return true;
        case GL_MAX_TEXTURE_STACK_DEPTH: *params = c.texture_matrix.limit; return true;
        case GL_MAX_LIGHTS: *params = kMaxLights; return true;
        case GL_MAX_LIST_NESTING: *params = 64; return true;
        case GL_MAX_TEXTURE_SIZE: *params = c.es_max_texture_size; return true;
        case GL_VIEWPORT: memcpy(params, c.viewport, sizeof c.viewport); return true;
        case GL_BLEND_SRC: *params = (GLint)c.blend_src; return true;
        case GL_BLEND_DST: *params = (GLint)c.blend_dst; return true;
        case GL_DEPTH_FUNC: *params = (GLint)c.depth_func; return true;
        case GL_DEPTH_WRITEMASK: *params = c.depth_mask; return true;
        case GL_SHADE_MODEL: *params = (GLint)c.shade_model; return true;
        case GL_FOG_MODE: *params = (GLint)c.fog_mode; return true;
        case GL_TEXTURE_BINDING_2D: *params = (GLint)c.bound_texture; return true;
        case GL_UNPACK_ALIGNMENT: *params = c.unpack_alignment; return true;
        case GL_PACK_ALIGNMENT: *params = c.pack_alignment; return true;
        case GL_LIST_INDEX: *params = c.compiling ? (GLint)c.compiling->name : 0; return true;
        case GL_LIST_MODE: *params = c.compiling ? (GLint)c.compiling->mode : 0; return true;
        case GL_PERSPECTIVE_CORRECTION_HINT: *params = (GLint)c.perspective_hint; return true;
        case GL_FOG_HINT: *params = (GLint)c.fog_hint; return true;
        default: return false;
    }
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    if (width < 0 || height < 0) {
        set_error(*c, GL_INVALID_VALUE);
        return;
    }
    int components = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : format == GL_ALPHA || format == GL_RED ||
                                                                  format == GL_GREEN || format == GL_BLUE ||
                                                                  format == GL_LUMINANCE ? 1
                                                              : format == GL_LUMINANCE_ALPHA ? 2 : 0;
    // ES 2 reads colour as RGBA bytes only: depth and other types are not to be had.
    if (components == 0 || type != GL_UNSIGNED_BYTE) {
        set_error(*c, components == 0 && format != GL_DEPTH_COMPONENT && format != GL_STENCIL_INDEX
                          ? GL_INVALID_ENUM
                          : GL_INVALID_OPERATION);
        return;
    }
    flush_batch(*c);
    if (width == 0 || height == 0) return;
    std::vector<unsigned char> rgba((size_t)width * height * 4);
    es2.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    size_t row = (size_t)width * components;
    size_t alignment = (size_t)c->pack_alignment;
    size_t stride = (row + alignment - 1) / alignment * alignment;
    unsigned char* out = static_cast<unsigned char*>(pixels);
    for (int j = 0; j < height; j++) {
        const unsigned char* in = &rgba[(size_t)j * width * 4];
        unsigned char* o = out + stride * j;
        for (int i = 0; i < width; i++, in += 4) {
            switch (format) {
                case GL_RGBA: memcpy(o, in, 4); break;
                case GL_RGB: memcpy(o, in, 3); break;
                case GL_RED: o[0] = in[0]; break;
                case GL_GREEN: o[0] = in[1]; break;
                case GL_BLUE: o[0] = in[2]; break;
                case GL_ALPHA: o[0] = in[3]; break;
                case GL_LUMINANCE: {  // GL sums the channels, clamped
                    int l = in[0] + in[1] + in[2];
                    o[0] = (unsigned char)(l > 255 ? 255 : l);
                    break;
                }
                default: {  // GL_LUMINANCE_ALPHA
                    int l = in[0] + in[1] + in[2];
                    o[0] = (unsigned char)(l > 255 ? 255 : l);
                    o[1] = in[3];
                    break;
                }
            }
            o += components;
        }
    }
}

void glFinish(void) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    flush_batch(*c);
    es2.Finish();
}

void glFlush(void) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    flush_batch(*c);
    es2.Flush();
}

void glGetFloatv(GLenum pname, GLfloat* params) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    switch (pname) {
        case GL_MODELVIEW_MATRIX: memcpy(params, c->modelview.entries[c->modelview.depth - 1].m, 64); return;
        case GL_PROJECTION_MATRIX: memcpy(params, c->projection.entries[c->projection.depth - 1].m, 64); return;
        case GL_TEXTURE_MATRIX:
            memcpy(params, c->texture_matrix.entries[c->texture_matrix.depth - 1].m, 64);
            return;
        case GL_CURRENT_COLOR: memcpy(params, c->color, sizeof c->color); return;
        case GL_CURRENT_NORMAL: memcpy(params, c->normal, sizeof c->normal); return;
        case GL_CURRENT_TEXTURE_COORDS: memcpy(params, c->texcoord, sizeof c->texcoord); return;
        case GL_COLOR_CLEAR_VALUE: memcpy(params, c->clear_color, sizeof c->clear_color); return;
        case GL_FOG_COLOR: memcpy(params, c->fog_color, sizeof c->fog_color); return;
        case GL_FOG_DENSITY: params[0] = c->fog_density; return;
        case GL_LIGHT_MODEL_AMBIENT: memcpy(params, c->scene_ambient, sizeof c->scene_ambient); return;
        default: break;
    }
    GLint values[4];
    if (!integer_state(*c, pname, values)) {
        set_error(*c, GL_INVALID_ENUM);
        return;
    }
    int count = pname == GL_VIEWPORT ? 4 : 1;
    for (int k = 0; k < count; k++) params[k] = (GLfloat)values[k];
}

void glGetIntegerv(GLenum pname, GLint* params) {
    FixedglContext* c = outside_begin();
    if (c && !integer_state(*c, pname, params)) set_error(*c, GL_INVALID_ENUM);
}


