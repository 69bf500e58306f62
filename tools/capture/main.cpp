// qo-capture [--from SECONDS] [--to SECONDS] [--size WxH] DATA_DIR OUT.mp4
// Renders the demo headless, frame by frame on its own clock, into an MP4
// video with the same stretch of its music.
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

extern "C" {
#include <libavutil/log.h>
}

#include "qo_version.h"
#include "tools/capture/arguments.h"
#include "tools/capture/capture.h"
#include "tools/capture/temporary_removal.h"
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
    // Written beside the output and renamed over it when finished (through a
    // symbolic link, over what it points to; a device is written in place).
    // The path outlives the run's change of directory.
    GlmOutput output;
    if (!open_removable_output(&output, absolute_path(arguments.output.c_str()).c_str()) ||
        !glm_output_close(&output)) {
        fprintf(stderr, "qo-capture: cannot write %s: %s\n", arguments.output.c_str(), strerror(output.error));
        glm_output_abandon(&output);
        return 1;
    }

    Capture capture;
    capture.first = arguments.first;
    capture.last = arguments.last;
    capture.width = arguments.width;
    capture.height = arguments.height;
    capture.music_path = absolute_path(data_dir) + "/musakki.mp3";
    capture.music_name = arguments.data_dir + "/musakki.mp3";
    capture.output_path = glm_output_path(&output);
    capture.output_name = arguments.output;
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
    run.on_abort = remove_temporary_now;
    std::string run_error;
    bool whole_run = run_demo_frames(run, run_error) == arguments.last + 1;
    bool finished = finish_capture(capture, error);
    if (!whole_run && !capture.failed) error = run_error;
    close_capture(capture);
    if (whole_run && finished && !glm_output_finish(&output))
        error = "cannot write " + arguments.output + ": " + strerror(output.error);
    forget_temporary();
    if (!whole_run || !finished || output.error) {
        glm_output_abandon(&output);
        fprintf(stderr, "qo-capture: %s\n", error.c_str());
        return 1;
    }
    unsigned frames = arguments.last - arguments.first + 1;
    fprintf(stderr, "qo-capture: wrote %s: %u frames (%u.%03u s) at %dx%d, %s\n", arguments.output.c_str(), frames,
            frames * kFrameMs / 1000, frames * kFrameMs % 1000, arguments.width, arguments.height,
            capture.sound ? "with sound" : "without sound");
    return 0;
}
