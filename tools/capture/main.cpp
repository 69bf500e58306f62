// qo-capture [--from SECONDS] [--to SECONDS] [--size WxH] DATA_DIR OUT.mp4
// Renders the demo headless, frame by frame on its own clock, into an MP4
// video with the same stretch of its music.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

extern "C" {
#include <libavutil/log.h>
}

#include "qo_version.h"
#include "tools/capture/arguments.h"
#include "tools/capture/capture.h"
#include "tools/capture/output_file.h"
#include "tools/screenshot/demo_frames.h"

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_QUIET);  // every failure is told in one line of our own
    CaptureArguments arguments;
    std::string error;
    if (!parse_capture_arguments(argc, argv, arguments, error)) {
        fprintf(stderr, "qo-capture: %s\n%s", error.c_str(), kCaptureUsage);
        return 2;
    }
    if (arguments.help) {
        printf("%s%s", kCaptureUsage, kCaptureHelp);
        return 0;
    }
    if (arguments.version) {
        puts("qo-capture " QO_VERSION);
        return 0;
    }
    const char* data_dir = arguments.data_dir.c_str();
    struct stat data;
    if (stat(data_dir, &data) != 0 || !S_ISDIR(data.st_mode)) {
        fprintf(stderr, "qo-capture: %s: %s\n", data_dir, access(data_dir, F_OK) ? "no such directory" : "not a directory");
        return 1;
    }
    OutputFile output;
    if (!create_output(output, arguments.output, absolute_path(arguments.output.c_str()), error)) {
        fprintf(stderr, "qo-capture: %s\n", error.c_str());
        return 1;
    }

    Capture capture;
    capture.first = arguments.first;
    capture.last = arguments.last;
    capture.width = arguments.width;
    capture.height = arguments.height;
    capture.music_path = absolute_path(data_dir) + "/musakki.mp3";
    capture.music_name = arguments.data_dir + "/musakki.mp3";
    capture.output = &output;
    start_progress(capture.progress, arguments.first, arguments.last, isatty(2));

    // Every frame from the first of the demo is made; the capture keeps its own.
    FrameRun run;
    run.tool = "qo-capture";
    run.data_dir = data_dir;
    run.first = 0;
    run.last = arguments.last;
    run.width = arguments.width;
    run.height = arguments.height;
    run.on_frame = capture_frame;
    run.context = &capture;
    run.on_abort = discard_output_at_once;
    std::string run_error;
    bool whole_run = run_demo_frames(run, run_error) == arguments.last + 1;
    bool finished = finish_capture(capture, error);
    if (!whole_run && !capture.failed) error = run_error;
    close_capture(capture);
    if (!whole_run || !finished || !commit_output(output, error)) {
        discard_output(output);
        fprintf(stderr, "qo-capture: %s\n", error.c_str());
        return 1;
    }
    unsigned frames = arguments.last - arguments.first + 1;
    fprintf(stderr, "qo-capture: wrote %s: %u frames (%u.%03u s) at %dx%d, %s\n", arguments.output.c_str(), frames,
            frames * kFrameMs / 1000, frames * kFrameMs % 1000, arguments.width, arguments.height,
            capture.sound ? "with sound" : "without sound");
    return 0;
}
