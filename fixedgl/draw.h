// Sending one draw to ES 2: the program of the key's variant, the pipeline
// state and uniforms that differ from what ES 2 has, the vertex attributes,
// and the draw call itself.
#ifndef QO_FIXEDGL_DRAW_H
#define QO_FIXEDGL_DRAW_H

#include "fixedgl/context.h"

struct DrawSource {
    GLuint buffer = 0;  // ES buffer holding the vertices
    GLuint indices = 0;  // ES buffer of 16-bit indices into them, or 0: drawn in order
    uint32_t first = 0, count = 0;
    const float* modelview = nullptr;      // 16 floats; null for identity (eye-space vertices)
    const float* normal_matrix = nullptr;  // 9 floats; null for identity
    const MaterialUniforms* table = nullptr;  // null: the key's material alone
    int table_size = 1;
    bool inherit_varies = false;
    float inherit[3] = {0, 0, 0};
    float current[12] = {};  // colour, normal, texture coordinate for inheriting vertices
    bool colors_opaque = false;      // every vertex colour has alpha 1 (draw_shortcuts.h)
    bool texture_magnified = false;  // every fragment samples the texture magnified (draw_shortcuts.h)
};

void draw(FixedglContext& c, const DrawKey& key, const DrawSource& source);

// Makes ES 2 hold the texture's parameters, as GL's texture object does.
void sync_texture_parameters(FixedglContext& c, Texture& t);
void bind_es_texture(FixedglContext& c, GLuint es_name);

// The compiled program of a variant, compiling it at first use; null when
// ES 2 rejects it.
Program* program_for(FixedglContext& c, uint32_t variant);

// Deletes the context's ES 2 objects (its ES 2 context is current).
void release_es_objects(FixedglContext& c);

#endif
