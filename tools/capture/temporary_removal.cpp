#include "tools/capture/temporary_removal.h"

#include <signal.h>
#include <string.h>
#include <unistd.h>

namespace {

const int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
char temporary_path[4096];  // for the handlers, which cannot touch the heap

void on_termination(int sig) {
    remove_temporary_now();
    signal(sig, SIG_DFL);
    raise(sig);
}

}  // namespace

bool open_removable_output(GlmOutput* output, const char* path) {
    sigset_t signals, before;
    sigemptyset(&signals);
    for (int sig : kSignals) {
        sigaddset(&signals, sig);
        signal(sig, on_termination);
    }
    sigprocmask(SIG_BLOCK, &signals, &before);
    bool opened = glm_output_open(output, path);
    if (opened && output->temporary && strlen(output->temporary) < sizeof temporary_path)
        memcpy(temporary_path, output->temporary, strlen(output->temporary) + 1);
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return opened;
}

void forget_temporary() { temporary_path[0] = '\0'; }

void remove_temporary_now() {
    if (temporary_path[0]) unlink(temporary_path);
}
