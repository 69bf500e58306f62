// Cheaper ways to the same pixels: facts about a draw, most of them read
// from its vertices, under which ES 2 can be spared work GL's result does
// not depend on.
#ifndef QO_FIXEDGL_DRAW_SHORTCUTS_H
#define QO_FIXEDGL_DRAW_SHORTCUTS_H

#include <vector>

#include "fixedgl/context.h"
#include "fixedgl/draw.h"

// Eye-space triangles that all lie at one eye depth fog every fragment by
// the same factor: the key then takes it as a uniform (kVariantFogConstant)
// instead of computing it per fragment. False when the key has no fog or
// the depths differ.
bool use_constant_fog(DrawKey& key, const std::vector<Vertex>& eye);

// Whether every fragment of the eye-space triangles samples the texture
// magnified, with a margin no way of estimating the level of detail that GL
// allows can cross: each triangle parallel to the screen (one clip w at its
// corners, so its texture coordinates vary linearly across the window) and
// covering more pixels than texels in both directions. GL then filters
// every fragment with the magnification filter, and a minification filter
// set to the same gives its result without mipmap levels.
bool texture_magnified(const DrawKey& key, const Texture& t, const std::vector<Vertex>& eye);

// Whether every vertex colour has alpha 1 or more (clamped to 1).
bool colors_opaque(const std::vector<Vertex>& vertices);

// Whether blending can be left off: (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)
// with every fragment's alpha 1.
bool blend_copies_source(const FixedglContext& c, const DrawKey& key, const DrawSource& source);

#endif
