/* map_file.h: a GlmFileSource over real files, mapped read-only (not installed). */
#ifndef QO_MODEL_MAP_FILE_H
#define QO_MODEL_MAP_FILE_H

#include <stddef.h>

/* context of glmMapFile: what it mapped, released by glmUnmapFile when the read is over. */
struct GlmMappedFile {
    const char* data;
    size_t size;
    size_t mapped; /* bytes mapped, 0 when data is a heap copy or empty */
};
int glmMapFile(void* mapped_file, const char* filename, const char** data, size_t* size);
void glmUnmapFile(GlmMappedFile* file);

#endif
