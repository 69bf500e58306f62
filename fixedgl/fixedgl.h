// The GL 1.1 fixed-function subset that the demo, the window code, texture
// upload and model drawing call, drawn through OpenGL ES 2 (WebGL 1 in the
// browser). In the browser its entry points carry the GL names themselves;
// in a native build they carry the prefix fixedgl_ (fixedgl/prefixed_names.h
// maps the GL names onto them), so the layer and the system's own GL can
// live in one process.
//
// This header is what a platform needs to host the layer on a context.
#ifndef QO_FIXEDGL_FIXEDGL_H
#define QO_FIXEDGL_FIXEDGL_H

struct FixedglContext;

// Native builds: the ES 2 entry points, looked up by name (for instance with
// SDL_GL_GetProcAddress) while an ES 2 context is current. False when one is
// missing. In the browser the entry points are WebGL's and need no loading.
bool fixedgl_load_es2(void* (*get_proc_address)(const char* name));

// A context of the layer for the ES 2 context current on this thread: its
// shader programs and buffers. Null when they cannot be made. It does not
// become the current context of the layer.
FixedglContext* fixedgl_create_context();

// The context the GL entry points work on; null for none. The platform keeps
// the context's ES 2 context current with it.
void fixedgl_make_current(FixedglContext* context);

// Releases a context. Its ES 2 objects are deleted when it is the current
// one (its ES 2 context current); otherwise they go with their ES 2 context.
void fixedgl_delete_context(FixedglContext* context);

// Sends the drawing the layer still holds on to ES 2. The platform calls it
// before it presents a frame.
void fixedgl_flush();

// While set, clears and drawing are dropped and every other call keeps its
// effect on the state, so frames can be stepped through without being drawn.
void fixedgl_set_discard(bool discard);

// What the current context has sent to ES 2 since it was made: draw calls,
// vertices drawn, and frames (calls of fixedgl_flush). For benchmarks.
struct FixedglCounts {
    unsigned long draw_calls = 0;
    unsigned long vertices = 0;
    unsigned long frames = 0;
};
FixedglCounts fixedgl_counts();

#endif
