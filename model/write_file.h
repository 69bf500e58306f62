/* write_file.h: output files written whole or not at all. A regular file,
 * or one that does not exist yet, is written under a temporary name beside it
 * and renamed over it only once everything is written, flushed and closed
 * (through a symbolic link: over the file it points to). Written in place,
 * with no such promise: other targets (a device, a pipe), and a regular file
 * in a directory where no temporary can be made (one we may write only the
 * file of). Text mode, as fopen "w". The umask applies as it does to any new
 * file; nothing here changes it. */
#ifndef QO_MODEL_WRITE_FILE_H
#define QO_MODEL_WRITE_FILE_H

#include <stdio.h>

#include "model/include2.h"

struct GlmOutput {
    FILE* file;      /* null once closed */
    char* name;      /* as given, for messages */
    char* target;    /* what the rename replaces */
    char* temporary; /* null when written in place */
    int error;       /* errno of the first failure */
};

/* Opens `filename` for writing; false, with out->error, when it cannot (nothing is created). */
bool glm_output_open(GlmOutput* out, const char* filename);

/* fprintf into the file. The first failure is kept in out->error and ends
 * the writing: later calls write nothing, and glm_output_close reports it. */
void glm_output_printf(GlmOutput* out, const char* format, ...) __attribute__((format(printf, 2, 3)));

/* Flushes, syncs and closes the file; false, with out->error, when any of it
 * fails. The temporary stays until glm_output_commit or glm_output_abandon. */
bool glm_output_close(GlmOutput* out);

/* Renames the closed temporary over the target (nothing to do in place);
 * false, with out->error, when that fails. */
bool glm_output_commit(GlmOutput* out);

/* Closes the file if open and removes the temporary; the target is as it was. */
void glm_output_abandon(GlmOutput* out);

/* Reports out->error on standard error as OPERATION() failing to write the
 * file, then abandons the output. */
void glm_output_fail(GlmOutput* out, const char* operation);

/* Puts two closed outputs in place, `first` then `second`; false, with the
 * error in the one that failed, when either cannot be. When `second` cannot
 * be, `first`'s target gets back the file it held (or is removed if it held
 * none), so both targets are as they were. Only where the system cannot give
 * the old file a second name (a file system without hard links) is it lost,
 * and the new one stays. */
bool glm_output_commit_both(GlmOutput* first, GlmOutput* second);

/* For a writer that writes the file by its name itself (another library):
 * the name to write, once glm_output_close has closed what was opened. When
 * it is done, glm_output_finish syncs that file and puts it in place. */
const char* glm_output_path(const GlmOutput* out);
bool glm_output_finish(GlmOutput* out);

/* The material library of glmWriteMTL written into its output, closed but
 * not yet in place (glm_output_commit puts it there). False, with the
 * failure (running out of memory too) reported and nothing left behind,
 * when it cannot be. */
bool glm_write_mtl_output(_GLMmodel* model, const char* modelpath, const char* mtllibname, GlmOutput* out);

/* Per platform (write_file_posix.cpp, write_file_win32.cpp). */

/* What renaming over `filename` replaces (through symbolic links where the
 * system has them), allocated; null when memory runs out or links loop. */
char* glm_file_target(const char* filename);

/* A new temporary file beside `target`, open for writing in text mode, with
 * its allocated name in *name; null (and *name null) when the target is not
 * a file that may be replaced or no temporary can be made there. */
FILE* glm_file_temporary(const char* target, char** name);

/* Writing a file's data through to the disk, and moving a temporary over its
 * target; each 0 or an errno value. */
int glm_file_sync(FILE* file);
int glm_file_replace(const char* temporary, const char* target);

/* A second name beside `target` for the file it names (a hard link), to put
 * it back later by renaming; null when there is no such file (*existed
 * false) or it cannot be given one. */
char* glm_file_keep(const char* target, bool* existed);

#endif
