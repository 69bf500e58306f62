// A private temporary directory for the files the image tests write.
#ifndef QO_TESTS_IMAGE_TEMP_DIR_H
#define QO_TESTS_IMAGE_TEMP_DIR_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "tests/image/bmp_bytes.h"

// Made once per process and removed at its exit, by the process that made it;
// files written into it are removed by the writer.
inline const std::string& temp_dir() {
    static pid_t owner = getpid();
    static std::string dir = [] {
        const char* base = getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/qo_image_XXXXXX";
        return mkdtemp(&pattern[0]) ? pattern : std::string();
    }();
    // Registered after `dir` is built, so it runs before `dir` is destroyed.
    static bool removeAtExit = atexit([] {
        if (getpid() == owner && !dir.empty()) rmdir(dir.c_str());
    }) == 0;
    (void)removeAtExit;
    return dir;
}

inline std::string write_temp(const std::string& name, const Bytes& bytes) {
    std::string path = temp_dir() + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f) {
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    return path;
}

#endif
