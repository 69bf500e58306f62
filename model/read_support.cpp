// Failure descriptions and checked allocation for the readers.
#include "model/read_support.h"

#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

GLboolean glm_fail(GlmReadFailure* failure, int stream, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    free(failure->message);
    failure->message = length >= 0 ? (char*)malloc((size_t)length + 1) : nullptr;
    if (failure->message) {
        va_start(args, format);
        vsnprintf(failure->message, (size_t)length + 1, format, args);
        va_end(args);
    }
    failure->status = 1;
    failure->stream = stream;
    return GL_FALSE;
}

void glm_advise_huge(void* block, size_t bytes) {
#ifdef MADV_HUGEPAGE
    const uintptr_t huge = (uintptr_t)2 << 20, page = 4096;
    if (bytes < huge) return;
    /* Whole pages around the block: its mapping's, so every 2 MiB extent
     * inside the mapping qualifies, the one holding its start included. */
    uintptr_t from = (uintptr_t)block & ~(page - 1);
    uintptr_t to = ((uintptr_t)block + bytes + page - 1) & ~(page - 1);
    madvise((void*)from, to - from, MADV_HUGEPAGE);
#else
    (void)block, (void)bytes;  // no such advice here: the block stays as allocated
#endif
}

void glm_advise_needed(const void* block, size_t bytes) {
#ifdef MADV_POPULATE_READ
    const uintptr_t page = 4096;
    uintptr_t from = (uintptr_t)block & ~(page - 1), to = ((uintptr_t)block + bytes + page - 1) & ~(page - 1);
    if (bytes) madvise((void*)from, to - from, MADV_POPULATE_READ);
#else
    (void)block, (void)bytes;  // pages come in as they are read
#endif
}

void* glm_calloc_array(size_t count, size_t size) {
    if (size != 0 && count > SIZE_MAX / size) return nullptr;
    size_t bytes = (count ? count : 1) * (size ? size : 1);
    void* block = calloc(bytes, 1);
    if (block) glm_advise_huge(block, bytes);
    return block;
}

char* glm_copy_text(const char* text, size_t length) {
    char* copy = (char*)malloc(length + 1);
    if (!copy) return nullptr;
    memcpy(copy, text, length);
    copy[length] = '\0';
    return copy;
}

bool glm_reserve(void** block, size_t* capacity, size_t wanted, size_t size) {
    if (wanted <= *capacity) return true;
    if (wanted > SIZE_MAX / size) return false;
    void* grown = realloc(*block, wanted * size);
    if (!grown) return false;
    glm_advise_huge(grown, wanted * size);
    *block = grown;
    *capacity = wanted;
    return true;
}
