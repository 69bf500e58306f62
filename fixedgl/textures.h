// Texture images as the layer uploads them to ES 2.
#ifndef QO_FIXEDGL_TEXTURES_H
#define QO_FIXEDGL_TEXTURES_H

#include "fixedgl/context.h"

// The base format GL gives an internal format (1 to 4 components or a GL 1.1
// internal format name); 0 for one it does not know. GL_INTENSITY is kept as
// such here.
GLenum base_internal_format(GLint internal_format);

// Defines a level of the bound texture from rows of `format` bytes (1 to 4
// per texel, rows `row_bytes` apart), converting them as GL does into the
// base internal format.
void define_texture_level(FixedglContext& c, int level, GLint internal_format, int width, int height, GLenum format,
                          const unsigned char* pixels, size_t row_bytes);

// Texels per pixel of a client format GL_UNSIGNED_BYTE data comes in; 0 for
// one not supported.
int format_components(GLenum format);

#endif
