// Filling the ES 2 table natively, by name, from the platform's loader.
#include "fixedgl/es2.h"
#include "fixedgl/fixedgl.h"

Es2 es2;

bool fixedgl_load_es2(void* (*get_proc_address)(const char* name)) {
    bool complete = true;
#define FIXEDGL_ES2(result, name, parameters)                                           \
    es2.name = reinterpret_cast<result(GL_APIENTRY*) parameters>(get_proc_address("gl" #name)); \
    complete = complete && es2.name;
#include "fixedgl/es2_functions.h"
#undef FIXEDGL_ES2
    return complete;
}
