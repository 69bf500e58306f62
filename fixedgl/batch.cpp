// The pending batch of immediate-mode triangles. A triangle joins it when
// the state it was specified under draws the same as the batch's; the key is
// only rebuilt when that state has changed since, so a run of primitives
// under the same state costs one comparison at most.
#include "fixedgl/calls.h"
#include "fixedgl/draw.h"
#include "fixedgl/draw_shortcuts.h"

void batch_triangles(FixedglContext& c, const Vertex* vertices, size_t count) {
    Batch& b = c.batch;
    if (b.vertices.empty() || b.key_serial != c.state_serial) {
        DrawKey key;
        build_draw_key(c, key);
        if (!b.vertices.empty() && !draw_keys_equal(key, b.key)) flush_batch(c);
        b.key = key;
        b.key_serial = c.state_serial;
    }
    b.vertices.insert(b.vertices.end(), vertices, vertices + count);
}

void flush_batch(FixedglContext& c) {
    Batch& b = c.batch;
    c.quad_run.open = false;  // what is drawn stays as it was split
    if (b.vertices.empty()) return;
    if (!c.discard) {
        if (c.es.array_buffer != c.stream_buffer) {
            es2.BindBuffer(GL_ARRAY_BUFFER, c.stream_buffer);
            c.es.array_buffer = c.stream_buffer;
        }
        // A fresh store each time, so ES 2 need not wait for the last draw from it.
        es2.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(b.vertices.size() * sizeof(Vertex)), b.vertices.data(),
                       GL_STREAM_DRAW);
        // What the eye-space vertices tell about the draw.
        DrawKey key = b.key;
        use_constant_fog(key, b.vertices);
        DrawSource s;
        s.buffer = c.stream_buffer;
        s.first = 0;
        s.count = (uint32_t)b.vertices.size();
        s.colors_opaque = colors_opaque(b.vertices);
        const Texture* t = key.textured ? find_texture(c, key.texture) : nullptr;
        s.texture_magnified = t && texture_magnified(key, *t, b.vertices);
        draw(c, key, s);
    }
    b.vertices.clear();
}
