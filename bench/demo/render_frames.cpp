// Renders the demo headless at 1024x768 on its shipped data, through its own
// entry, and prints the render time per frame against the 32-ms frame budget
// and the time from start to the first frame.
//   bench_render_frames [DATA_DIR] [FRAMES]
#include <GL/gl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/scripted.h"

int qo_demo_main();

namespace {

double now_ms() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double started;
double since_process_start;  // ms between the process's start and main()

// The kernel's record of when this process started (in clock ticks since
// boot) against the boot-time clock now.
double process_age_ms() {
    FILE* f = fopen("/proc/self/stat", "r");
    if (!f) return 0;
    char buffer[1024];
    size_t n = fread(buffer, 1, sizeof buffer - 1, f);
    fclose(f);
    buffer[n] = '\0';
    const char* p = strrchr(buffer, ')');  // the command name may hold spaces
    unsigned long long start_ticks = 0;
    for (int field = 2; p && field < 22; field++) p = strchr(p + 1, ' ');
    if (!p || sscanf(p + 1, "%llu", &start_ticks) != 1) return 0;
    timespec boot;
    clock_gettime(CLOCK_BOOTTIME, &boot);
    return boot.tv_sec * 1e3 + boot.tv_nsec / 1e6 - start_ticks * 1e3 / sysconf(_SC_CLK_TCK);
}
double last_present;
std::vector<double> frame_ms;

// Each frame is finished before it is timed, so the time is the frame's own.
void on_present(unsigned frame) {
    glFinish();
    double t = now_ms();
    if (frame > 0) frame_ms.push_back(t - last_present);
    else
        printf("process start to first frame: %.1f ms (of which %.1f ms before main; the tick is 10 ms)\n",
               t - started + since_process_start, since_process_start);
    last_present = t;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[(size_t)(p * (v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    started = now_ms();
    since_process_start = process_age_ms();
    const char* data = argc > 1 ? argv[1] : QO_DATA_DIR;
    unsigned frames = argc > 2 ? (unsigned)atoi(argv[2]) : 900;
    if (chdir(data) != 0) {
        perror(data);
        return 1;
    }
    scripted::reset();
    scripted::set_clock_steps(0, 32);  // frames 32 ms apart on the demo's clocks, no waiting
    scripted::on_present(on_present);
    scripted::post_message_at_frame(frames, WM_KEYDOWN, VK_ESCAPE, 0);
    qo_demo_main();
    if (frame_ms.empty()) return 1;
    double median = percentile(frame_ms, 0.5), p95 = percentile(frame_ms, 0.95);
    double worst = *std::max_element(frame_ms.begin(), frame_ms.end());
    printf("frames timed: %zu (swarm entering, fade-in, full scene)\n", frame_ms.size());
    printf("%-10s %10s %14s\n", "", "ms/frame", "of 32-ms budget");
    printf("%-10s %10.2f %13.0f%%\n", "median", median, 100 * median / 32);
    printf("%-10s %10.2f %13.0f%%\n", "95th", p95, 100 * p95 / 32);
    printf("%-10s %10.2f %13.0f%%\n", "worst", worst, 100 * worst / 32);
    return 0;
}
