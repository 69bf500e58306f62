// Output files on Windows: a temporary beside the target, opened in text
// mode, moved over it with MoveFileExA at the end. Devices (consoles, NUL,
// pipes) are written in place. There are no symbolic links to follow.
#ifdef _WIN32
#include <windows.h>
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "model/write_file.h"

/* Whether `path` is a file on disk that may be replaced, or names nothing yet. */
static bool replaceable(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool disk = GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    return disk;
}

char* glm_file_target(const char* filename) { return strdup(filename); }

FILE* glm_file_temporary(const char* path, char** name) {
    *name = nullptr;
    if (!replaceable(path)) return nullptr;
    size_t length = strlen(path);
    *name = (char*)malloc(length + 32);
    if (!*name) return nullptr;
    for (unsigned attempt = 0; attempt < 100; attempt++) {
        snprintf(*name, length + 32, "%s.%lu-%u.tmp", path, (unsigned long)GetCurrentProcessId(), attempt);
        int fd = _open(*name, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT, _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            break;
        }
        FILE* file = _fdopen(fd, "w");
        if (file) return file;
        _close(fd);
        remove(*name);
        break;
    }
    free(*name);
    *name = nullptr;
    return nullptr;
}

char* glm_file_keep(const char* target, bool* existed) {
    *existed = GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES;
    if (!*existed) return nullptr;
    size_t length = strlen(target);
    char* name = (char*)malloc(length + 32);
    for (unsigned attempt = 0; name && attempt < 100; attempt++) {
        snprintf(name, length + 32, "%s.%lu-%u.old", target, (unsigned long)GetCurrentProcessId(), attempt);
        if (CreateHardLinkA(name, target, nullptr)) return name;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    free(name);
    return nullptr;
}

int glm_file_sync(FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : errno; }

int glm_file_replace(const char* temporary, const char* target) {
    if (MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
}

#endif
