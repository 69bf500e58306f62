// The layer's only way to ES 2: a table of its entry points, filled natively
// by fixedgl_load_es2 from the platform's loader and in the browser from
// emscripten's WebGL functions. The layer's own code is the same in both.
#ifndef QO_FIXEDGL_ES2_H
#define QO_FIXEDGL_ES2_H

#define GL_GLES_PROTOTYPES 0  // no ES function is ever called by name
#include <GLES2/gl2.h>

struct Es2 {
#define FIXEDGL_ES2(result, name, parameters) result(GL_APIENTRY* name) parameters;
#include "fixedgl/es2_functions.h"
#undef FIXEDGL_ES2
};

extern Es2 es2;

#endif
