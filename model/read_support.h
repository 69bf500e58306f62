/* read_support.h: what the OBJ and MTL readers share besides the text cursor:
 * failure descriptions and overflow-checked, zero-filled arrays. */
#ifndef QO_MODEL_READ_SUPPORT_H
#define QO_MODEL_READ_SUPPORT_H

#include <stddef.h>

#include "model/include2.h"

/* Describes a failure: status 1, the stream (1 or 2) and a printf-formatted
 * message. Always returns GL_FALSE so callers can `return glm_fail(...)`. */
GLboolean glm_fail(GlmReadFailure* failure, int stream, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

/* calloc(count, size) with count * size checked for overflow; at least one
 * byte is allocated so an empty array is still a valid pointer. */
void* glm_calloc_array(size_t count, size_t size);

/* A copy of the first `length` bytes of text, NUL-terminated. */
char* glm_copy_text(const char* text, size_t length);

#endif
