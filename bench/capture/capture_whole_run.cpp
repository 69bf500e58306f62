// The time qo-capture takes for the whole demo (or its first SECONDS) at
// 1024x768, as a ratio to the time the video lasts, beside the time the demo
// takes to render the same frames and read each one back with nothing else.
//   bench_capture_whole_run [SECONDS] [DATA_DIR]
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tools/screenshot/demo_frames.h"

namespace {

double now_seconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + t.tv_nsec / 1e9;
}

struct Timed {
    bool ok;
    double wall, cpu;
};

Timed wait_for(pid_t child, double started) {
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    double cpu = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    return Timed{WIFEXITED(status) && WEXITSTATUS(status) == 0, now_seconds() - started, cpu};
}

std::vector<unsigned char> pixels((size_t)kDemoWidth * kDemoHeight * 4);

void read_back(unsigned, void*) { read_frame(kDemoWidth, kDemoHeight, 4, pixels.data()); }

// The demo's own frames, each read back, in a process of its own.
Timed render_only(const char* data, unsigned frames) {
    double started = now_seconds();
    pid_t child = fork();
    if (child == 0) {
        FrameRun run;
        run.tool = "bench_capture_whole_run";
        run.data_dir = data;
        run.last = frames - 1;
        run.on_frame = read_back;
        std::string error;
        _exit(run_demo_frames(run, error) == frames ? 0 : 1);
    }
    return wait_for(child, started);
}

Timed capture(const char* data, const std::string& seconds, const std::string& out) {
    double started = now_seconds();
    pid_t child = fork();
    if (child == 0) {
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 2);
        execl(QO_CAPTURE, QO_CAPTURE, "--to", seconds.c_str(), data, out.c_str(), (char*)nullptr);
        _exit(127);
    }
    return wait_for(child, started);
}

void load_line(const char* when) {
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    printf("load average %s: %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

}  // namespace

int main(int argc, char** argv) {
    std::string seconds = argc > 1 ? argv[1] : "268";
    const char* data = argc > 2 ? argv[2] : QO_DATA_DIR;
    unsigned frames = (unsigned)((atof(seconds.c_str()) * 1000 + kFrameMs - 1) / kFrameMs);
    if (frames == 0 || frames > kDemoFrames) {
        fprintf(stderr, "usage: bench_capture_whole_run [SECONDS from 0.032 to 268] [DATA_DIR]\n");
        return 2;
    }
    char scratch[] = "/tmp/qo-capture-bench-XXXXXX";
    if (!mkdtemp(scratch)) return 1;
    std::string out = std::string(scratch) + "/video.mp4";
    double video = frames * kFrameMs / 1000.0;
    long cores = sysconf(_SC_NPROCESSORS_ONLN);
    printf("%u frames (%.3f s of video) at %dx%d, %ld cores\n", frames, video, kDemoWidth, kDemoHeight, cores);
    load_line("before");

    Timed c = capture(data, seconds, out);
    Timed r = render_only(data, frames);
    unlink(out.c_str());
    rmdir(scratch);
    if (!c.ok || !r.ok) {
        fprintf(stderr, "bench_capture_whole_run: %s failed\n", c.ok ? "rendering" : "qo-capture");
        return 1;
    }
    printf("%-28s %9s %11s %13s %10s\n", "", "seconds", "ms/frame", "cores busy", "÷ video");
    printf("%-28s %9.1f %11.2f %13.2f %10.3f\n", "qo-capture", c.wall, 1000 * c.wall / frames, c.cpu / c.wall,
           c.wall / video);
    printf("%-28s %9.1f %11.2f %13.2f %10.3f\n", "rendering and read-back only", r.wall, 1000 * r.wall / frames,
           r.cpu / r.wall, r.wall / video);
    printf("capture ÷ real time: %.3f (goal below 1); capture ÷ rendering alone: %.3f\n", c.wall / video,
           c.wall / r.wall);
    load_line("after");
    return 0;
}
