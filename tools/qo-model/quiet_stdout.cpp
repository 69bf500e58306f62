// Keeping the model library's messages off qo-model's standard output.
#include "tools/qo-model/quiet_stdout.h"

#include <stdio.h>
#include <unistd.h>

int divertStdout() {
    fflush(stdout);
    int saved = dup(STDOUT_FILENO);
    if (saved < 0) return -1;
    if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        close(saved);
        return -1;
    }
    return saved;
}

void restoreStdout(int saved) {
    fflush(stdout);
    if (saved < 0) return;
    dup2(saved, STDOUT_FILENO);
    close(saved);
}
