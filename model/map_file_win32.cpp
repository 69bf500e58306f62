// A file's bytes in memory, on Windows: mapped read-only when it is a file on
// disk, otherwise (a console, a pipe) read whole into the heap.
#ifdef _WIN32
#include <windows.h>
#include <stdint.h>
#include <stdlib.h>

#include "model/grow_array.h"
#include "model/map_file.h"

void glmUnmapFile(GlmMappedFile* file) {
    if (file->mapped) UnmapViewOfFile(file->data);
    else free((void*)file->data);
    file->data = nullptr;
    file->size = 0;
    file->mapped = 0;
}

static bool read_whole(HANDLE handle, GlmMappedFile* file) {
    GlmArray<char> bytes;
    for (DWORD got = 1; got > 0; bytes.count += got) {
        if (!bytes.room(bytes.count + (1 << 16))) return false;
        DWORD want = (DWORD)(bytes.capacity - bytes.count < 0x40000000u ? bytes.capacity - bytes.count : 0x40000000u);
        if (!ReadFile(handle, &bytes[bytes.count], want, &got, nullptr)) {
            if (GetLastError() != ERROR_BROKEN_PIPE) return false;
            got = 0;  // a pipe whose writer has gone is the end of its data
        }
    }
    file->size = bytes.count;
    file->data = bytes.release();
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
