// gluBuild2DMipmaps: GLU's chain, computed on the CPU, each level defined on
// the bound texture. Unsigned bytes only.
#include "fixedgl/calls.h"
#include "fixedgl/mipmap_levels.h"
#include "fixedgl/textures.h"

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data) {
    FixedglContext* c = outside_begin();
    if (!c) return 0;
    int components = format_components(format);
    if (components == 0 || type != GL_UNSIGNED_BYTE) return GLU_INVALID_ENUM;
    if (width < 1 || height < 1) return GLU_INVALID_VALUE;
    // What GL's glTexImage2D would refuse, GLU passes on: the error is GL's.
    if (target != GL_TEXTURE_2D) {
        set_error(*c, GL_INVALID_ENUM);
        return 0;
    }
    if (base_internal_format(internalFormat) == 0) {
        set_error(*c, GL_INVALID_VALUE);
        return 0;
    }
    size_t row_bytes = (size_t)width * components;
    size_t alignment = (size_t)c->unpack_alignment;
    if (row_bytes % alignment) row_bytes += alignment - row_bytes % alignment;
    std::vector<MipmapLevel> levels = build_mipmap_levels(static_cast<const unsigned char*>(data), width, height,
                                                          components, row_bytes, c->es_max_texture_size);
    for (size_t level = 0; level < levels.size(); level++) {
        const MipmapLevel& l = levels[level];
        define_texture_level(*c, (int)level, internalFormat, l.width, l.height, format, l.bytes.data(),
                             (size_t)l.width * components);
    }
    return 0;
}
