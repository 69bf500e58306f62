// Filling the ES 2 table in the browser from emscripten's WebGL functions,
// which exist under the name emscripten_glXxx for every WebGL call.
#include "fixedgl/es2.h"
#include "fixedgl/fixedgl.h"

extern "C" {
#define FIXEDGL_ES2(result, name, parameters) result emscripten_gl##name parameters;
#include "fixedgl/es2_functions.h"
#undef FIXEDGL_ES2
}

Es2 es2 = {
#define FIXEDGL_ES2(result, name, parameters) emscripten_gl##name,
#include "fixedgl/es2_functions.h"
#undef FIXEDGL_ES2
};

// The table is complete from the start; nothing to look up.
bool fixedgl_load_es2(void* (*)(const char*)) { return true; }
