/* read_support.h: what the OBJ and MTL readers share besides the text cursor:
 * failure descriptions and overflow-checked, zero-filled arrays. */
#ifndef QO_MODEL_READ_SUPPORT_H
#define QO_MODEL_READ_SUPPORT_H

#include <stddef.h>
#include <stdint.h>

#include "model/grow_array.h"
#include "model/include2.h"

/* Describes a failure: status 1, the stream (1 or 2) and a printf-formatted
 * message. Always returns GL_FALSE so callers can `return glm_fail(...)`. */
GLboolean glm_fail(GlmReadFailure* failure, int stream, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

/* calloc(count, size) with count * size checked for overflow; at least one
 * byte is allocated so an empty array is still a valid pointer. */
void* glm_calloc_array(size_t count, size_t size);

/* Asks for huge pages under a large block that is about to be filled, so
 * that filling it takes a few page faults instead of one per 4 KiB. Advice
 * only: nothing changes when it is not taken. */
void glm_advise_huge(void* block, size_t bytes);

/* Reads a block's pages in now, on the calling thread, so that a chunk's
 * reader does not fault them in one by one (a mapped file is read in by the
 * threads that read its chunks). Advice only. */
void glm_advise_needed(const void* block, size_t bytes);

/* A copy of the first `length` bytes of text, NUL-terminated. */
char* glm_copy_text(const char* text, size_t length);

/* The faces the first pass read, in runs of faces that follow one another
 * with only blanks between them and share one corner form: where a run
 * began and ended and the fan triangles its faces made, with indices as
 * written. Reading a face depends only on the text from its start, and the
 * second pass changes nothing between the faces of a run, so when it meets a
 * run's first face at the same place and triangle position it takes these
 * triangles instead of reading the faces again. */
struct GlmFaceRecord {
    const char* at;  /* the run's first face keyword */
    const char* end; /* where reading its last face stopped */
    uint64_t ntriangles;
    int form;
};
struct GlmFaceCache {
    bool kept = false;    /* faces are kept at all (the text is read in one chunk) */
    bool failed = false;  /* an allocation failed: incomplete, not used */
    bool adopted = false; /* the triangles became the model's: the second pass may use the records */
    GlmArray<ModelTriangle> triangles;
    GlmArray<GlmFaceRecord> faces;
};

#endif
