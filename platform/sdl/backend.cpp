// The real backend: no scripted failures or messages, nothing recorded, and
// cleanup on every way out of the process.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/backend.h"

namespace platform {

bool step_fails(scripted::Step) { return false; }

void pump_backend_messages(std::deque<MSG>&) {}

void record(const std::string&) {}

void before_present() {}

const char* forced_video_driver() { return nullptr; }

static void release_at_exit() { release_everything(); }

static void release_on_signal(int sig) {
    // Give the desktop its display mode and the sound device back, then end
    // the way the signal would have ended the process.
    release_everything();
    signal(sig, SIG_DFL);
    raise(sig);
}

void install_process_cleanup() {
    atexit(release_at_exit);
    const int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL};
    for (int sig : signals) {
        struct sigaction action {};
        action.sa_handler = release_on_signal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        sigaction(sig, &action, nullptr);
    }
}

}  // namespace platform
