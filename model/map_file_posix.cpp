// A file's bytes in memory: mapped read-only when it is a regular file,
// otherwise read whole into the heap. POSIX systems; map_file_win32.cpp is
// the same on Windows.
#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/grow_array.h"
#include "model/map_file.h"

void glmUnmapFile(GlmMappedFile* file) {
    if (file->mapped) munmap((void*)file->data, file->mapped);
    else free((void*)file->data);
    file->data = nullptr;
    file->size = 0;
    file->mapped = 0;
}

static bool read_whole(int fd, GlmMappedFile* file) {
    GlmArray<char> bytes;
    for (ssize_t n = 1; n > 0; bytes.count += (size_t)n) {
        if (!bytes.room(bytes.count + (1 << 16))) return false;
        n = read(fd, &bytes[bytes.count], bytes.capacity - bytes.count);
        if (n < 0) return false;
    }
    file->size = bytes.count;
    file->data = bytes.release();
    return true;
}

int glmMapFile(void* mapped_file, const char* filename, const char** data, size_t* size) {
    GlmMappedFile* file = (GlmMappedFile*)mapped_file;
    glmUnmapFile(file);
    int fd = open(filename, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    struct stat st;
    bool ok = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
    if (ok && S_ISREG(st.st_mode) && st.st_size > 0) {
        void* map = mmap(nullptr, (size_t)st.st_size, PROT_READ, MAP_PRIVATE, fd, 0);  // read in by the readers of its chunks
        if (map != MAP_FAILED) {
            file->data = (const char*)map;
            file->size = file->mapped = (size_t)st.st_size;
        } else {
            ok = read_whole(fd, file);
        }
    } else if (ok) {
        ok = read_whole(fd, file);
    }
    close(fd);
    if (!ok) return 0;
    *data = file->data;
    *size = file->size;
    return 1;
}

#endif
