// Renders the demo headless at 1024x768 on its shipped data, through its own
// entry, and prints the render time per frame against the 32-ms frame budget
// and the time from start to the first frame.
//   bench_render_frames [DATA_DIR] [FRAMES]
#include <GL/gl.h>
#include <stdio.h>
#include <stdlib.h>
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
double last_present;
std::vector<double> frame_ms;

// Each frame is finished before it is timed, so the time is the frame's own.
void on_present(unsigned frame) {
    glFinish();
    double t = now_ms();
    if (frame > 0) frame_ms.push_back(t - last_present);
    else printf("start to first frame: %.1f ms (model, window, textures, lists)\n", t - started);
    last_present = t;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[(size_t)(p * (v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    started = now_ms();
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
