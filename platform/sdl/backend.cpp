// The real backend: no scripted failures or messages, nothing recorded, and
// cleanup on every way out of the process.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/sdl_backend.h"
#include "platform/window_state.h"

namespace platform {

void post(std::deque<MSG>& q, Window* w, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

volatile sig_atomic_t termination_signal = 0;
bool close_posted = false;

void release_at_exit() { release_everything(); }

// The last resort, for a crash or a process that did not wind down in time:
// give the display mode and the sound device back, then end as the signal would.
void release_and_reraise(int sig) {
    alarm(2);  // should the release itself hang, SIGALRM's default action ends the process
    release_everything();
    signal(sig, SIG_DFL);
    raise(sig);
}

void on_crash(int sig) { release_and_reraise(sig); }

void on_alarm(int) { release_and_reraise(termination_signal ? termination_signal : SIGTERM); }

// A request to terminate becomes a request to close the window, so the run
// ends the ordinary way (music stopped, everything released at exit). If it
// has not ended within two seconds, or a second request comes, release now.
void on_termination_request(int sig) {
    if (termination_signal) release_and_reraise(sig);
    termination_signal = sig;
    alarm(2);
}

}  // namespace

bool step_fails(platform::WindowStep) { return false; }

void pump_backend_messages(std::deque<MSG>& queue) {
    if (termination_signal && !close_posted && !windows.empty()) {
        close_posted = true;
        post(queue, windows.front(), WM_CLOSE, 0, 0);
    }
}

void record(const std::string&) {}

void before_present() {}

const char* forced_video_driver() { return nullptr; }

void install_process_cleanup() {
    atexit(release_at_exit);
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = on_termination_request;
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaction(sig, &action, nullptr);
    action.sa_handler = on_alarm;
    sigaction(SIGALRM, &action, nullptr);
    action.sa_handler = on_crash;
    action.sa_flags = SA_RESETHAND;
    for (int sig : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) sigaction(sig, &action, nullptr);
}

}  // namespace platform
