// The GL 1.1 names the layer defines, as the layer's own sources see them:
// the real GL names in the browser (the layer is the program's GL there), the
// prefixed ones natively (prefixed_names.h maps one onto the other), so each
// entry point is written once, under its GL name.
#ifndef QO_FIXEDGL_GL_API_H
#define QO_FIXEDGL_GL_API_H

#ifdef __EMSCRIPTEN__
#include <GL/gl.h>
#include <GL/glu.h>
#else
#include "fixedgl/prefixed_names.h"
#endif

#endif
