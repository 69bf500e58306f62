// Checked writes into an output file, and its end: closed and renamed into
// place, or abandoned with the temporary removed.
#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include "model/write_file.h"

void glm_output_printf(GlmOutput* out, const char* format, ...) {
    if (out->error) return;
    va_list args;
    va_start(args, format);
    int written = vfprintf(out->file, format, args);
    va_end(args);
    if (written < 0) out->error = errno ? errno : EIO;
}

bool glm_output_close(GlmOutput* out) {
    if (!out->file) return out->error == 0;
    bool ok = !out->error && fflush(out->file) == 0 && !ferror(out->file);
    if (!ok && !out->error) out->error = errno ? errno : EIO;
    int synced = ok && out->temporary ? glm_file_sync(out->file) : 0;
    if (synced) ok = false, out->error = synced;
    if (fclose(out->file) != 0 && ok) ok = false, out->error = errno;
    out->file = nullptr;
    return ok;
}

static void release(GlmOutput* out) {
    free(out->name);
    free(out->temporary);
    free(out->target);
    out->name = out->temporary = out->target = nullptr;
}

bool glm_output_open(GlmOutput* out, const char* filename) {
    *out = GlmOutput{nullptr, strdup(filename), nullptr, nullptr, 0};
    out->target = out->name ? glm_file_target(filename) : nullptr;
    if (out->target) {
        out->file = glm_file_temporary(out->target, &out->temporary);
        /* No temporary (a device, a pipe, a directory we may not write in): in place. */
        if (!out->file) out->file = fopen(filename, "w");
        if (out->file) return true;
    }
    out->error = errno ? errno : EIO;
    release(out);
    return false;
}

bool glm_output_commit(GlmOutput* out) {
    int failed = out->temporary ? glm_file_replace(out->temporary, out->target) : 0;
    if (failed) {
        out->error = failed;
        return false;
    }
    release(out);
    return true;
}

void glm_output_abandon(GlmOutput* out) {
    if (out->file) fclose(out->file);
    out->file = nullptr;
    if (out->temporary) remove(out->temporary);
    release(out);
}

bool glm_output_commit_both(GlmOutput* first, GlmOutput* second) {
    bool existed = false;
    char* kept = first->temporary ? glm_file_keep(first->target, &existed) : nullptr;
    char* target = first->temporary ? strdup(first->target) : nullptr;
    bool ok = glm_output_commit(first);
    if (ok && !glm_output_commit(second)) {
        ok = false;
        if (kept) glm_file_replace(kept, target);    /* the old file back under its name */
        else if (target && !existed) remove(target); /* there was none */
    }
    if (kept) remove(kept); /* still there unless it went back */
    free(kept);
    free(target);
    return ok;
}

const char* glm_output_path(const GlmOutput* out) { return out->temporary ? out->temporary : out->name; }

bool glm_output_finish(GlmOutput* out) {
    if (out->temporary) {
        FILE* written = fopen(out->temporary, "ab");
        int synced = written ? glm_file_sync(written) : errno;
        if (written && fclose(written) != 0 && !synced) synced = errno;
        if (synced) {
            out->error = synced;
            return false;
        }
    }
    return glm_output_commit(out);
}

void glm_output_fail(GlmOutput* out, const char* operation) {
    fprintf(stderr, "%s() failed: can't write file \"%s\": %s.\n", operation, out->name ? out->name : "",
            strerror(out->error ? out->error : EIO));
    glm_output_abandon(out);
}
