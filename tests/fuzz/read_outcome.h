// Reading OBJ text with a chosen way of splitting it, and everything the
// reading gives: the model, the failure, and what went to standard output.
#ifndef QO_TESTS_FUZZ_READ_OUTCOME_H
#define QO_TESTS_FUZZ_READ_OUTCOME_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "model/include2.h"
#include "model/read_obj.h"
#include "tests/fuzz/model_compare.h"

// Fuzz input: OBJ text, then optionally a line "%%MTL" and the text that
// every material library reads.
struct ObjInput {
    const char* text;
    size_t size;
    const char* library;
    size_t library_size;
};

inline ObjInput split_obj_input(const char* data, size_t size) {
    ObjInput input = {data, size, data, size};
    static const std::string_view marker = "\n%%MTL\n";
    size_t split = std::string_view(data, size).find(marker);
    if (split != std::string_view::npos) {
        input.size = split;
        input.library = data + split + marker.size();
        input.library_size = size - split - marker.size();
    }
    return input;
}

// A GlmFileSource whose context is an ObjInput.
inline int obj_input_library(void* context, const char*, const char** data, size_t* size) {
    const ObjInput* input = (const ObjInput*)context;
    *data = input->library;
    *size = input->library_size;
    return 1;
}

struct ReadOutcome {
    _GLMmodel* model = nullptr;
    GlmReadFailure failure = {0, 0, nullptr};
    std::string out;     // standard output during the reading
    size_t parts = 0;    // chunks the model was read in (1: in one)
};

// How to split: chunk_bytes 0 with one thread reads the text in one chunk.
struct Split {
    size_t chunk_bytes;
    bool anywhere;
    unsigned threads;
};

// `options` gives the rest of the way of reading (names found by searching, faces not kept).
inline ReadOutcome read_split(const char* text, size_t size, GlmFileSource library, void* context, Split split,
                              const char* path = "dir/m.obj", GlmReadOptions options = GlmReadOptions()) {
    ReadOutcome r;
    options.chunk_bytes = split.chunk_bytes;
    options.cut_anywhere = split.anywhere;
    options.threads = split.threads;
    fflush(stdout);
    FILE* capture = tmpfile();
    int saved = dup(1);
    if (!capture || saved < 0 || dup2(fileno(capture), 1) < 0) abort();
    r.model = glm_read_obj_bytes(path, text, size, library, context, &r.failure, options, &r.parts);
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
    rewind(capture);
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, capture)) > 0;) r.out.append(buffer, n);
    fclose(capture);
    return r;
}

inline bool same_outcome(const ReadOutcome& a, const ReadOutcome& b) {
    if (!a.model != !b.model || a.failure.status != b.failure.status || a.failure.stream != b.failure.stream ||
        !same_text(a.failure.message, b.failure.message) || a.out != b.out)
        return false;
    return !a.model || same_model(a.model, b.model);
}

inline void release(ReadOutcome* r) {
    if (r->model) glmDelete(r->model);
    free(r->failure.message);
    r->model = nullptr;
    r->failure.message = nullptr;
}

#endif
