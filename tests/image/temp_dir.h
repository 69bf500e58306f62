// A private temporary directory for the files the image tests write.
#ifndef QO_TESTS_IMAGE_TEMP_DIR_H
#define QO_TESTS_IMAGE_TEMP_DIR_H

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "tests/image/bmp_bytes.h"
#include "tests/support/scratch_dir.h"

// Made once per process and removed at its exit, by the process that made it;
// files written into it are removed by the writer.
inline const std::string& temp_dir() {
    static long owner = current_process_id();
    static std::string dir = make_scratch_dir("qo_image_");
    // Registered after `dir` is built, so it runs before `dir` is destroyed.
    static bool removeAtExit = atexit([] {
        if (current_process_id() == owner && !dir.empty()) std::filesystem::remove(dir);
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
