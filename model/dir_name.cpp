// The directory part of a path: everything up to and including its last '/'.
#include <string.h>

#include "model/include2.h"
#include "model/read_support.h"

char* glmDirName(const char* path) {
    const char* slash = strrchr(path, '/');
    return glm_copy_text(path, slash ? (size_t)(slash - path) + 1 : 0);
}
