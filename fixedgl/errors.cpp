// GL's error flag: the first error is kept until glGetError fetches it.
#include "fixedgl/calls.h"

void set_error(FixedglContext& c, GLenum error) {
    if (c.error == GL_NO_ERROR) c.error = error;
}

GLenum glGetError(void) {
    FixedglContext* c = fixedgl_current;
    if (!c) return GL_NO_ERROR;
    if (c->primitive.inside) {  // not allowed between glBegin and glEnd
        set_error(*c, GL_INVALID_OPERATION);
        return 0;
    }
    GLenum error = c->error;
    c->error = GL_NO_ERROR;
    return error;
}
