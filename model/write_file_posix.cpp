// Output files on POSIX systems: a temporary beside the target, given the
// target's permissions, renamed over it at the end.
// write_file_win32.cpp is the same on Windows.
#ifndef _WIN32
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

#include "model/write_file.h"

/* The directory part of a path (up to and including its last '/'). */
static size_t dir_length(const char* path) {
    const char* slash = strrchr(path, '/');
    return slash ? (size_t)(slash - path) + 1 : 0;
}

/* The file a path names after following symbolic links (relative ones from
 * the link's directory); the path itself when it is no link or names
 * nothing yet. Null when memory runs out or there are too many links. */
char* glm_file_target(const char* path) {
    char* at = strdup(path);
    for (int hops = 0; at && hops < 40; hops++) {
        struct stat st;
        if (lstat(at, &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        char link[4096];
        ssize_t n = readlink(at, link, sizeof link - 1);
        if (n < 0 || n == (ssize_t)sizeof link - 1) break;
        link[n] = '\0';
        size_t keep = link[0] == '/' ? 0 : dir_length(at);
        char* next = (char*)malloc(keep + (size_t)n + 1);
        if (next) {
            memcpy(next, at, keep);
            memcpy(next + keep, link, (size_t)n + 1);
        }
        free(at);
        at = next;
    }
    free(at);
    return nullptr;
}

/* A new temporary file beside `target`, named like it after a '.' with a
 * unique ending, with the permissions it should end with: the old file's
 * (its owner and group too where allowed), or for a new file what creating
 * it would give (0666 less the umask, which open applies). -1 when it
 * cannot be made. */
static int make_temporary(const char* target, const struct stat* old, char** name) {
    static std::atomic<unsigned> counter(0);
    size_t dir = dir_length(target), length = strlen(target);
    *name = (char*)malloc(length + 32);
    if (!*name) return -1;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; attempt++) {
        snprintf(*name, length + 32, "%.*s.%s.%ld.%u", (int)dir, target, target + dir, (long)getpid(), counter++);
        fd = open(*name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        free(*name);
        *name = nullptr;
        return -1;
    }
    if (old) {
        if (old->st_uid != geteuid() || old->st_gid != getegid()) {
            int kept = fchown(fd, old->st_uid, old->st_gid); /* only where we may; else the file becomes ours */
            (void)kept;
        }
        fchmod(fd, old->st_mode & 07777);
    }
    return fd;
}

FILE* glm_file_temporary(const char* target, char** name) {
    *name = nullptr;
    struct stat st;
    bool exists = stat(target, &st) == 0;
    /* Renamed over: a regular file we may write, or none yet. */
    if (!(exists && S_ISREG(st.st_mode) && access(target, W_OK) == 0) && !(!exists && errno == ENOENT)) return nullptr;
    int fd = make_temporary(target, exists ? &st : nullptr, name);
    if (fd < 0) return nullptr;
    FILE* file = fdopen(fd, "w");
    if (file) return file;
    close(fd);
    unlink(*name);
    free(*name);
    *name = nullptr;
    return nullptr;
}

char* glm_file_keep(const char* target, bool* existed) {
    static std::atomic<unsigned> counter(0);
    struct stat st;
    *existed = lstat(target, &st) == 0;
    if (!*existed) return nullptr;
    size_t dir = dir_length(target), length = strlen(target);
    char* name = (char*)malloc(length + 40);
    for (int attempt = 0; name && attempt < 100; attempt++) {
        snprintf(name, length + 40, "%.*s.%s.%ld.%u.old", (int)dir, target, target + dir, (long)getpid(), counter++);
        if (link(target, name) == 0) return name;
        if (errno != EEXIST) break;
    }
    free(name);
    return nullptr;
}

int glm_file_sync(FILE* file) { return fsync(fileno(file)) == 0 ? 0 : errno; }

int glm_file_replace(const char* temporary, const char* target) { return rename(temporary, target) == 0 ? 0 : errno; }

#endif
