/* read_obj.h: the OBJ reader's inside, for the library's own files, its
 * tests and benchmarks (not installed). */
#ifndef QO_MODEL_READ_OBJ_H
#define QO_MODEL_READ_OBJ_H

#include <stddef.h>

#include "model/include2.h"
#include "model/text_cursor.h"

/* Where a read's time went, in seconds of wall clock: all of it, and the
 * part spent running chunks on threads (the rest runs on the calling thread
 * alone, whatever the thread count). */
struct GlmReadTimes {
    double total, on_threads;
};

/* How a read is carried out. Every read has its own: reads on different
 * threads share nothing. Tests and benchmarks compare ways of reading;
 * glmReadOBJ and glmReadOBJBytes read with the defaults. */
struct GlmReadOptions {
    unsigned threads = 0;      /* 0: QO_READ_THREADS, else every core */
    size_t chunk_bytes = 0;    /* replaces the automatic chunk size and splits even small texts (0: automatic) */
    bool cut_anywhere = false; /* cuts exactly at multiples of chunk_bytes, not at line starts */
    bool names_linear = false; /* groups and materials found by searching in order instead of by hash */
    bool face_cache = true;    /* the first pass keeps faces for the second (only when read in one chunk) */
    GlmReadTimes* times = nullptr; /* filled in when given (benchmarks) */
};

/* glmReadOBJBytes with options; *parts, when asked for, is how many chunks
 * the result came from (1 when read in one, or again in one after the
 * chunks did not fit together). */
_GLMmodel* glm_read_obj_bytes(const char* path, const char* data, size_t size, GlmFileSource library,
                              void* library_context, GlmReadFailure* failure, const GlmReadOptions& options,
                              size_t* parts = nullptr);

/* glmReadOBJ with options. */
_GLMmodel* glm_read_obj(const char* filename, const GlmReadOptions& options);

/* The state the two passes share: the text, where material libraries come
 * from, where a failure is described, and how the text is split for reading
 * and what the first pass found in each part. */
struct GlmObjReader {
    GlmTextCursor text;
    GlmFileSource library;
    void* library_context;
    GlmReadFailure* failure;
    struct GlmReadPlan* plan;
};

/* Both passes return GL_FALSE after describing a failure in reader->failure,
 * or with reader->plan->again set when the text must be read in one part. */
GLboolean glmFirstPass(_GLMmodel* model, GlmObjReader* reader);
GLboolean glmSecondPass(_GLMmodel* model, GlmObjReader* reader);

/* Reads material library `name` (beside the model's path) through `library`
 * into the model; GL_FALSE with *failure filled in when it cannot be found. */
GLboolean glmReadMTLFrom(_GLMmodel* model, const char* name, GlmFileSource library, void* library_context,
                         GlmReadFailure* failure);

#endif
