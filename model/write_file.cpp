// Checked writes into an output file, and its end: closed and renamed into
// place, or abandoned with the temporary removed.
#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>

#include "model/write_file.h"

bool glm_output_printf(GlmOutput* out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int written = vfprintf(out->file, format, args);
    va_end(args);
    if (written >= 0) return true;
    if (!out->error) out->error = errno ? errno : EIO;
    return false;
}

bool glm_output_close(GlmOutput* out) {
    if (!out->file) return out->error == 0;
    bool ok = fflush(out->file) == 0 && !ferror(out->file);
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

void glm_output_fail(GlmOutput* out, const char* operation) {
    fprintf(stderr, "%s() failed: can't write file \"%s\": %s.\n", operation, out->name ? out->name : "",
            strerror(out->error ? out->error : EIO));
    glm_output_abandon(out);
}
