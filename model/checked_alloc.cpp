// Array allocation with an overflow-checked size.
#include "model/checked_alloc.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

void glmOutOfMemory(const char* operation) {
    fprintf(stderr, "%s() failed: out of memory\n", operation);
    exit(1);
}

void* glmCheckedAlloc(const char* operation, size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) glmOutOfMemory(operation);
    size_t bytes = count * size;
    void* p = malloc(bytes != 0 ? bytes : 1);
    if (!p) glmOutOfMemory(operation);
    return p;
}

void* glmCheckedCalloc(const char* operation, size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) glmOutOfMemory(operation);
    void* p = calloc(count ? count : 1, size ? size : 1);
    if (!p) glmOutOfMemory(operation);
    return p;
}
