// A private temporary directory for the files the image tests write.
#ifndef QO_TESTS_IMAGE_TEMP_DIR_H
#define QO_TESTS_IMAGE_TEMP_DIR_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "tests/image/bmp_bytes.h"

// Made once per process; files written into it are removed by the writer.
inline const std::string& temp_dir() {
    static std::string dir = [] {
        const char* base = getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/qo_image_XXXXXX";
        return std::string(mkdtemp(&pattern[0]) ? pattern : std::string("."));
    }();
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
