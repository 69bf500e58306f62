// Texture objects: names, binding, parameters, completeness and levels. The
// layer keeps GL's view of each texture (its levels and parameters) and an
// ES 2 texture that holds the same texels.
#include "fixedgl/textures.h"

#include <limits.h>
#include <string.h>

#include <vector>

#include "fixedgl/calls.h"
#include "fixedgl/draw.h"

const Texture* find_texture(const FixedglContext& c, GLuint name) {
    if (name == 0) return &c.default_texture;
    for (const Texture& t : c.textures)
        if (t.name == name) return &t;
    return nullptr;
}

Texture* find_texture(FixedglContext& c, GLuint name) {
    return const_cast<Texture*>(find_texture(static_cast<const FixedglContext&>(c), name));
}

Texture& bound_texture(FixedglContext& c) {
    Texture* t = find_texture(c, c.bound_texture);
    return t ? *t : c.default_texture;
}

static bool mipmapped(GLenum min_filter) { return min_filter != GL_NEAREST && min_filter != GL_LINEAR; }

bool texture_complete(const Texture& t) {
    const TextureLevel& base = t.levels[0];
    if (base.width <= 0 || base.height <= 0) return false;
    if (!mipmapped(t.min_filter)) return true;
    int w = base.width, h = base.height;
    for (int level = 1; level < kMaxTextureLevels && (w > 1 || h > 1); level++) {
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
        const TextureLevel& l = t.levels[level];
        if (l.width != w || l.height != h || l.base_format != base.base_format) return false;
    }
    return true;
}

GLenum base_internal_format(GLint f) {
    switch (f) {
        case 1:
        case GL_LUMINANCE:
        case GL_LUMINANCE4:
        case GL_LUMINANCE8:
        case GL_LUMINANCE12:
        case GL_LUMINANCE16: return GL_LUMINANCE;
        case 2:
        case GL_LUMINANCE_ALPHA:
        case GL_LUMINANCE4_ALPHA4:
        case GL_LUMINANCE6_ALPHA2:
        case GL_LUMINANCE8_ALPHA8:
        case GL_LUMINANCE12_ALPHA4:
        case GL_LUMINANCE12_ALPHA12:
        case GL_LUMINANCE16_ALPHA16: return GL_LUMINANCE_ALPHA;
        case 3:
        case GL_RGB:
        case GL_R3_G3_B2:
        case GL_RGB4:
        case GL_RGB5:
        case GL_RGB8:
        case GL_RGB10:
        case GL_RGB12:
        case GL_RGB16: return GL_RGB;
        case 4:
        case GL_RGBA:
        case GL_RGBA2:
        case GL_RGBA4:
        case GL_RGB5_A1:
        case GL_RGBA8:
        case GL_RGB10_A2:
        case GL_RGBA12:
        case GL_RGBA16: return GL_RGBA;
        case GL_ALPHA:
        case GL_ALPHA4:
        case GL_ALPHA8:
        case GL_ALPHA12:
        case GL_ALPHA16: return GL_ALPHA;
        case GL_INTENSITY:
        case GL_INTENSITY4:
        case GL_INTENSITY8:
        case GL_INTENSITY12:
        case GL_INTENSITY16: return GL_INTENSITY;
        default: return 0;
    }
}

int format_components(GLenum format) {
    switch (format) {
        case GL_RED:
        case GL_GREEN:
        case GL_BLUE:
        case GL_ALPHA:
        case GL_LUMINANCE: return 1;
        case GL_LUMINANCE_ALPHA: return 2;
        case GL_RGB: return 3;
        case GL_RGBA: return 4;
        default: return 0;
    }
}

// One texel of a client format as GL reads it: red, green, blue, alpha.
static void to_rgba(GLenum format, const unsigned char* p, unsigned char* rgba) {
    rgba[0] = rgba[1] = rgba[2] = 0;
    rgba[3] = 255;
    switch (format) {
        case GL_RED: rgba[0] = p[0]; break;
        case GL_GREEN: rgba[1] = p[0]; break;
        case GL_BLUE: rgba[2] = p[0]; break;
        case GL_ALPHA: rgba[3] = p[0]; break;
        case GL_LUMINANCE: rgba[0] = rgba[1] = rgba[2] = p[0]; break;
        case GL_LUMINANCE_ALPHA:
            rgba[0] = rgba[1] = rgba[2] = p[0];
            rgba[3] = p[1];
            break;
        case GL_RGB: memcpy(rgba, p, 3); break;
        default: memcpy(rgba, p, 4); break;
    }
}

void define_texture_level(FixedglContext& c, int level, GLint internal_format, int width, int height, GLenum format,
                          const unsigned char* pixels, size_t row_bytes) {
    if (level < 0 || level >= kMaxTextureLevels) return;
    flush_batch(c);  // drawing already specified samples the texture as it was
    Texture& t = bound_texture(c);
    GLenum base = base_internal_format(internal_format);
    // ES 2 stores what it samples: intensity goes up as luminance with
    // alpha, which samples (I, I, I, I) as GL's intensity does.
    GLenum es_format = base == GL_INTENSITY ? (GLenum)GL_LUMINANCE_ALPHA : base;
    int out_components = es_format == GL_RGBA ? 4 : es_format == GL_RGB ? 3 : es_format == GL_LUMINANCE_ALPHA ? 2 : 1;
    int in_components = format_components(format);
    std::vector<unsigned char> texels((size_t)width * height * out_components);
    unsigned char* out = texels.data();
    for (int y = 0; y < height; y++) {
        const unsigned char* row = pixels + row_bytes * y;
        for (int x = 0; x < width; x++) {
            unsigned char rgba[4];
            to_rgba(format, row + (size_t)x * in_components, rgba);
            switch (base) {
                case GL_RGBA: memcpy(out, rgba, 4); break;
                case GL_RGB: memcpy(out, rgba, 3); break;
                case GL_LUMINANCE_ALPHA:
                    out[0] = rgba[0];
                    out[1] = rgba[3];
                    break;
                case GL_INTENSITY: out[0] = out[1] = rgba[0]; break;
                case GL_LUMINANCE: out[0] = rgba[0]; break;
                default: out[0] = rgba[3]; break;  // GL_ALPHA
            }
            out += out_components;
        }
    }
    if (!t.es_name) es2.GenTextures(1, &t.es_name);
    bind_es_texture(c, t.es_name);
    es2.TexImage2D(GL_TEXTURE_2D, level, (GLint)es_format, width, height, 0, es_format, GL_UNSIGNED_BYTE,
                   texels.data());
    t.levels[level].width = width;
    t.levels[level].height = height;
    t.levels[level].base_format = base;
    state_changed(c);
}

void exec_bind_texture(FixedglContext& c, GLenum target, GLuint name) {
    if (target != GL_TEXTURE_2D) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    if (!find_texture(c, name)) {  // binding a name never used makes its texture
        Texture t;
        t.name = name;
        c.textures.push_back(t);
    }
    c.bound_texture = name;
    state_changed(c);
}

void exec_tex_parameter(FixedglContext& c, GLenum target, GLenum pname, GLint value) {
    if (target != GL_TEXTURE_2D) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    GLenum v = (GLenum)value;
    Texture& t = bound_texture(c);
    GLenum* field = nullptr;
    bool valid = false;
    switch (pname) {
        case GL_TEXTURE_MIN_FILTER:
            field = &t.min_filter;
            valid = v == GL_NEAREST || v == GL_LINEAR || v == GL_NEAREST_MIPMAP_NEAREST ||
                    v == GL_LINEAR_MIPMAP_NEAREST || v == GL_NEAREST_MIPMAP_LINEAR || v == GL_LINEAR_MIPMAP_LINEAR;
            break;
        case GL_TEXTURE_MAG_FILTER:
            field = &t.mag_filter;
            valid = v == GL_NEAREST || v == GL_LINEAR;
            break;
        case GL_TEXTURE_WRAP_S:
        case GL_TEXTURE_WRAP_T:
            field = pname == GL_TEXTURE_WRAP_S ? &t.wrap_s : &t.wrap_t;
            valid = v == GL_CLAMP || v == GL_REPEAT || v == GL_CLAMP_TO_EDGE || v == GL_MIRRORED_REPEAT;
            break;
        case GL_TEXTURE_PRIORITY: return;  // a hint for residency; nothing to do
        default: break;
    }
    if (!field || !valid) {
        set_error(c, GL_INVALID_ENUM);
        return;
    }
    if (*field == v) return;
    flush_batch(c);
    *field = v;
    t.es_parameters_stale = true;
    state_changed(c);
}

void glGenTextures(GLsizei n, GLuint* textures) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    if (n < 0) {
        set_error(*c, GL_INVALID_VALUE);
        return;
    }
    // The lowest names not in use, as the system's GL gives them.
    GLuint name = 1;
    for (GLsizei k = 0; k < n; k++) {
        while (find_texture(*c, name)) name++;
        Texture t;
        t.name = name;
        c->textures.push_back(t);
        textures[k] = name;
    }
}

void glBindTexture(GLenum target, GLuint texture) {
    FixedglContext* c = outside_begin();
    if (!c || record_call(*c, make_op(kOpBindTexture, target, texture))) return;
    exec_bind_texture(*c, target, texture);
}

void glTexParameteri(GLenum target, GLenum pname, GLint param) {
    FixedglContext* c = outside_begin();
    if (!c) return;
    ListOp op = make_op(kOpTexParameter, target, pname);
    op.n = (uint32_t)param;
    if (record_call(*c, op)) return;
    exec_tex_parameter(*c, target, pname, param);
}

// Enumerated values given as floats are truncated to integers first.
void glTexParameterf(GLenum target, GLenum pname, GLfloat param) {
    GLint value = param >= (float)INT_MIN && param <= (float)INT_MAX ? (GLint)param : 0;
    glTexParameteri(target, pname, value);
}
