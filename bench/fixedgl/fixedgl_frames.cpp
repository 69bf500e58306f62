// Renders the demo headless at 1024x768 on its shipped data through the GL
// layer on Mesa's ES 2 (llvmpipe), and prints its frame time beside that of
// the same frames through Mesa's own fixed-function pipeline (the program
// bench_render_frames, run as a child), their ratio, and the ES 2 draw calls
// the layer makes per frame.
//   bench_fixedgl_frames [DATA_DIR] [FRAMES]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fixedgl/fixedgl.h"
#include "platform/scripted.h"

int qo_demo_main();

namespace {

double now_ms() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double last_present;
std::vector<double> frame_ms;
FixedglCounts at_first_frame;

// Each frame is finished before it is timed, so the time is the frame's own.
void on_present(unsigned frame) {
    glFinish();
    double t = now_ms();
    if (frame > 0)
        frame_ms.push_back(t - last_present);
    else
        at_first_frame = fixedgl_counts();
    last_present = t;
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v[(size_t)(p * (v.size() - 1))];
}

// The peer's median, from its own report ("median  X  Y%").
double peer_median(const std::string& data, unsigned frames) {
    std::string command = std::string(QO_BENCH_RENDER_FRAMES) + " " + data + " " + std::to_string(frames);
    FILE* p = popen(command.c_str(), "r");
    if (!p) return 0;
    char line[256];
    double median = 0;
    while (fgets(line, sizeof line, p))
        if (sscanf(line, " median %lf", &median) == 1) break;
    while (fgets(line, sizeof line, p)) {
    }
    pclose(p);
    return median;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = argc > 1 ? argv[1] : QO_DATA_DIR;
    unsigned frames = argc > 2 ? (unsigned)atoi(argv[2]) : 900;
    double mesa = peer_median(data, frames);
    if (chdir(data.c_str()) != 0) {
        perror(data.c_str());
        return 1;
    }
    scripted::reset();
    scripted::set_clock_steps(0, 32);  // frames 32 ms apart on the demo's clocks, no waiting
    scripted::on_present(on_present);
    scripted::post_message_at_frame(frames, WM_KEYDOWN, VK_ESCAPE, 0);
    qo_demo_main();
    if (frame_ms.empty()) return 1;
    FixedglCounts end = fixedgl_counts();
    double timed = (double)(end.frames - at_first_frame.frames);
    double median = percentile(frame_ms, 0.5);
    printf("frames timed: %zu (swarm entering, fade-in, full scene), 1024x768, llvmpipe\n", frame_ms.size());
    printf("%-28s %10s %10s %10s\n", "ms/frame", "median", "95th", "worst");
    printf("%-28s %10.2f %10.2f %10.2f\n", "layer on ES 2", median, percentile(frame_ms, 0.95),
           *std::max_element(frame_ms.begin(), frame_ms.end()));
    if (mesa > 0) {
        printf("%-28s %10.2f\n", "Mesa fixed function (peer)", mesa);
        printf("%-28s %10.2f\n", "layer / peer", median / mesa);
    }
    printf("ES 2 draw calls per frame: %.1f, vertices drawn per frame: %.0f\n",
           (end.draw_calls - at_first_frame.draw_calls) / timed, (end.vertices - at_first_frame.vertices) / timed);
    return 0;
}
