// qo-screenshot DATA_DIR FRAME OUT.png
// Runs the demo headless on its data with frames exactly 32 ms apart, saves
// the picture of frame FRAME (0-based, as it is presented) and ends the run.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "qo_version.h"
#include "tools/screenshot/demo_frames.h"
#include "tools/screenshot/png_write.h"

namespace {

const char* const kUsage = "usage: qo-screenshot DATA_DIR FRAME OUT.png\n";

// A format: %u is the last frame.
const char* const kHelp =
    "\n"
    "Runs the demo in DATA_DIR headless, with frames exactly 32 ms apart, and\n"
    "saves frame FRAME (counted from 0 as the frames are presented, up to %u)\n"
    "as a 1024x768 PNG picture in OUT.png. Frame k is the one shown at 32*k ms.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 on an error, 2 on a usage error.\n";

struct Shot {
    std::string path;
    bool saved = false;
};

void save(unsigned, void* context) {
    Shot* shot = static_cast<Shot*>(context);
    const int width = kDemoWidth, height = kDemoHeight;
    std::vector<unsigned char> bottom_up((size_t)width * height * 3), top_down(bottom_up.size());
    read_frame(width, height, 3, bottom_up.data());
    for (int y = 0; y < height; y++)
        std::copy_n(&bottom_up[(size_t)(height - 1 - y) * width * 3], (size_t)width * 3, &top_down[(size_t)y * width * 3]);
    shot->saved = write_png(shot->path.c_str(), top_down.data(), width, height);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "--help") == 0) {
        fputs(kUsage, stdout);
        printf(kHelp, kDemoFrames - 1);
        return 0;
    }
    if (argc == 2 && strcmp(argv[1], "--version") == 0) {
        puts("qo-screenshot " QO_VERSION);
        return 0;
    }
    if (argc != 4) {
        fputs(kUsage, stderr);
        return 2;
    }
    char* end = nullptr;
    long frame = strtol(argv[2], &end, 10);
    if (end == argv[2] || *end || frame < 0 || frame >= (long)kDemoFrames) {
        fprintf(stderr, "qo-screenshot: FRAME must be a whole number from 0 to %u\n", kDemoFrames - 1);
        return 2;
    }
    Shot shot;
    shot.path = absolute_path(argv[3]);  // the demo runs inside DATA_DIR
    FrameRun run;
    run.tool = "qo-screenshot";
    run.data_dir = argv[1];
    run.first = run.last = (unsigned)frame;
    run.on_frame = save;
    run.context = &shot;
    std::string error;
    if (run_demo_frames(run, error) != 1) {
        fprintf(stderr, "qo-screenshot: %s\n", error.c_str());
        return 1;
    }
    if (!shot.saved) {
        fprintf(stderr, "qo-screenshot: could not write %s\n", shot.path.c_str());
        return 1;
    }
    return 0;
}
