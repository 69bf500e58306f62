#include "tools/capture/progress.h"

#include <stdio.h>
#include <time.h>

#include <algorithm>

namespace {

double now_seconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + t.tv_nsec / 1e9;
}

std::string duration_text(double seconds) {
    if (seconds < 0) return "--:--";
    long s = (long)(seconds + 0.5);
    char text[32];
    if (s >= 3600)
        snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
    else
        snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
    return text;
}

}  // namespace

std::string progress_bar_text(const ProgressFigures& f, int bar_width) {
    int filled = f.all ? (int)((unsigned long long)f.done * bar_width / f.all) : 0;
    std::string text = "[" + std::string((size_t)filled, '#') + std::string((size_t)(bar_width - filled), '.') + "]";
    char figures[160];
    snprintf(figures, sizeof figures, " %u/%u frames  %.1f fps  %s left", f.done, f.all, f.fps,
             duration_text(f.seconds_left).c_str());
    text += figures;
    if (f.lead_in_done < f.lead_in) {
        snprintf(figures, sizeof figures, "  (running up to the first: %u/%u)", f.lead_in_done, f.lead_in);
        text += figures;
    }
    return text;
}

std::string progress_line_text(const ProgressFigures& f) {
    char text[160];
    snprintf(text, sizeof text, "qo-capture: %u/%u frames (%u%%), %.1f fps, %s left", f.done, f.all,
             f.all ? (unsigned)((unsigned long long)f.done * 100 / f.all) : 100, f.fps,
             duration_text(f.seconds_left).c_str());
    return text;
}

void start_progress(Progress& p, unsigned first, unsigned last, bool terminal) {
    p.terminal = terminal;
    p.first = first;
    p.last = last;
    p.started = now_seconds();
    p.drawn = -1;
    p.tenths = 0;
}

void show_progress(Progress& p, unsigned rendered, unsigned encoded) {
    std::lock_guard<std::mutex> hold(p.lock);
    ProgressFigures f;
    f.all = p.last - p.first + 1;
    f.done = encoded;
    f.lead_in = p.first;
    f.lead_in_done = std::min(rendered, p.first);
    // The work is every frame of the demo up to the last: made, and encoded if captured.
    unsigned work_done = f.lead_in_done + encoded, work = p.last + 1;
    double now = now_seconds(), elapsed = now - p.started;
    f.fps = elapsed > 0 ? work_done / elapsed : 0;
    f.seconds_left = f.fps > 0 ? (work - work_done) / f.fps : -1;
    if (p.terminal) {
        if (now - p.drawn < 0.1 && encoded < f.all) return;  // ten redraws a second are plenty
        p.drawn = now;
        fprintf(stderr, "\r%s\033[K", progress_bar_text(f, 30).c_str());
        fflush(stderr);
        return;
    }
    unsigned tenths = (unsigned)((unsigned long long)encoded * 10 / f.all);
    if (tenths <= p.tenths) return;
    p.tenths = tenths;
    fprintf(stderr, "%s\n", progress_line_text(f).c_str());
}

void end_progress(Progress& p) {
    std::lock_guard<std::mutex> hold(p.lock);
    if (p.terminal && p.drawn >= 0) fputc('\n', stderr);
    p.drawn = -1;
}
