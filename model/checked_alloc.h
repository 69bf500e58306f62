// Array allocation with the size computed and checked before malloc sees it.
#ifndef QO_MODEL_CHECKED_ALLOC_H
#define QO_MODEL_CHECKED_ALLOC_H

#include <stddef.h>

// malloc(count * size); when the product does not fit in size_t or the memory
// cannot be had, writes "OPERATION() failed: out of memory\n" to the standard
// error stream and ends the process with status 1, like the library's other
// unrecoverable failures. Never returns null.
void* glmCheckedAlloc(const char* operation, size_t count, size_t size);

// The failure above, for a count that is known not to fit its index type.
[[noreturn]] void glmOutOfMemory(const char* operation);

// Like glmCheckedAlloc, but zero-filled (calloc).
void* glmCheckedCalloc(const char* operation, size_t count, size_t size);

#endif
