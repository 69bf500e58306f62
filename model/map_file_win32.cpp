// A file's bytes in memory, on Windows: mapped read-only when it is a file on
// disk, otherwise (a console, a pipe) read whole into the heap.
#ifdef _WIN32
#include <windows.h>
#include <stdint.h>
#include <stdlib.h>

#include "model/map_file.h"

void glmUnmapFile(GlmMappedFile* file) {
    if (file->mapped) UnmapViewOfFile(file->data);
    else free((void*)file->data);
    file->data = nullptr;
    file->size = 0;
    file->mapped = 0;
}

static bool read_whole(HANDLE handle, GlmMappedFile* file) {
    size_t capacity = 1 << 16, size = 0;
    char* bytes = (char*)malloc(capacity);
    for (;;) {
        if (!bytes) return false;
        DWORD want = (DWORD)(capacity - size < 0x40000000u ? capacity - size : 0x40000000u), got = 0;
        if (!ReadFile(handle, bytes + size, want, &got, nullptr)) {
            // A pipe whose writer has gone is the end of its data.
            if (GetLastError() == ERROR_BROKEN_PIPE) break;
            free(bytes);
            return false;
        }
        if (got == 0) break;
        size += got;
        if (size == capacity) {
            char* grown = capacity <= SIZE_MAX / 2 ? (char*)realloc(bytes, capacity *= 2) : nullptr;
            if (!grown) free(bytes);
            bytes = grown;
        }
    }
    file->data = bytes;
    file->size = size;
    return true;
}

static bool map_whole(HANDLE handle, size_t size, GlmMappedFile* file) {
    HANDLE mapping = CreateFileMappingA(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return false;
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    CloseHandle(mapping);  // the view keeps the mapping alive
    if (!view) return false;
    file->data = (const char*)view;
    file->size = file->mapped = size;
    return true;
}

int glmMapFile(void* mapped_file, const char* filename, const char** data, size_t* size) {
    GlmMappedFile* file = (GlmMappedFile*)mapped_file;
    glmUnmapFile(file);
    // Directories cannot be opened this way (that needs backup semantics).
    HANDLE handle = CreateFileA(filename, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    LARGE_INTEGER length;
    bool ok;
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &length)) {
        if ((uint64_t)length.QuadPart > SIZE_MAX) ok = false;
        else ok = (length.QuadPart > 0 && map_whole(handle, (size_t)length.QuadPart, file)) || read_whole(handle, file);
    } else {
        ok = read_whole(handle, file);
    }
    CloseHandle(handle);
    if (!ok) return 0;
    *data = file->data;
    *size = file->size;
    return 1;
}

#endif
