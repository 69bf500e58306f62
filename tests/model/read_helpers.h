// Helpers for the reader tests: models read from text in memory, and files
// written into a fresh temporary directory.
#ifndef QO_TESTS_MODEL_READ_HELPERS_H
#define QO_TESTS_MODEL_READ_HELPERS_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "model/include2.h"
#include "model/read_obj.h"
#include "tests/support/scratch_dir.h"

// Material libraries by the file name the reader builds.
using Library = std::map<std::string, std::string>;

inline int library_source(void* context, const char* filename, const char** data, size_t* size) {
    const Library* files = (const Library*)context;
    auto it = files->find(filename);
    if (it == files->end()) return 0;
    *data = it->second.data();
    *size = it->second.size();
    return 1;
}

// Reads OBJ text; null on failure, with the failure's text in *message.
inline _GLMmodel* read_obj(const std::string& text, const Library& libs = {}, std::string* message = nullptr,
                           int* stream = nullptr, const char* path = "test.obj",
                           const GlmReadOptions& options = GlmReadOptions()) {
    GlmReadFailure failure;
    _GLMmodel* model =
        glm_read_obj_bytes(path, text.data(), text.size(), library_source, (void*)&libs, &failure, options);
    if (message) *message = failure.message ? failure.message : "";
    if (stream) *stream = failure.stream;
    if (!model) {
        EXPECT_EQ(failure.status, 1);
    }
    free(failure.message);
    return model;
}

// A temporary directory removed with everything in it at the end of a test.
struct TempDir {
    std::string path;
    TempDir() { path = make_scratch_dir("qo_read_"); }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
        EXPECT_FALSE(error) << error.message();
    }
    std::string write(const std::string& relative, const std::string& text) const {
        std::string full = path + "/" + relative;
        size_t slash = full.rfind('/');
        std::error_code error;
        std::filesystem::create_directories(full.substr(0, slash), error);
        EXPECT_FALSE(error) << error.message();
        FILE* f = fopen(full.c_str(), "wb");
        EXPECT_TRUE(f);
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
        return full;
    }
};

// Routes standard output to the death test's captured stream and discards
// standard error, so a death-test pattern matches only what went to stdout.
inline void only_stdout_to_death_test() {
    fflush(stdout);
    fflush(stderr);
    int err = dup(2);
#ifdef _WIN32
    FILE* null = fopen("NUL", "w");
#else
    FILE* null = fopen("/dev/null", "w");
#endif
    dup2(fileno(null), 2);
    dup2(err, 1);
}

#endif
