// Keeping the model library's messages off qo-model's standard output.
//
// The library writes its warnings (write-mode corrections, unknown materials)
// and its unknown-keyword error on standard output. The tool promises nothing
// but its summary there, so while the library works, file descriptor 1 points
// at standard error; the summary is printed after it has been put back.
#ifndef QO_TOOLS_QO_MODEL_QUIET_STDOUT_H
#define QO_TOOLS_QO_MODEL_QUIET_STDOUT_H

/* Sends standard output to standard error; returns a descriptor of the real
 * standard output, or -1 if it could not be kept (then nothing changed). */
int divertStdout();

/* Puts standard output back (after flushing what the library wrote). */
void restoreStdout(int saved);

#endif
