// The demo run that qo-screenshot and qo-capture share steps through the
// frames before the first one it hands over in a one-pixel window; the
// frame it then hands over is, byte for byte, the one a run drawing every
// frame at full size gives. Each run is a process of its own (the demo's
// state lives for the process).
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/screenshot/demo_frames.h"

namespace {

const unsigned kFrame = 120;

void keep(unsigned frame, void* context) {
    if (frame != kFrame) return;
    std::vector<unsigned char> pixels((size_t)kDemoWidth * kDemoHeight * 3);
    read_frame(kDemoWidth, kDemoHeight, 3, pixels.data());
    FILE* f = fopen((const char*)context, "wb");
    if (f) fwrite(pixels.data(), 1, pixels.size(), f), fclose(f);
}

// Frame kFrame's pixels from a run that hands over frames `first` to kFrame.
std::string frame_pixels(unsigned first, const std::string& path) {
    pid_t child = fork();
    if (child == 0) {
        FrameRun run;
        run.tool = "demo_frames_test";
        run.data_dir = QO_DATA_DIR;
        run.first = first;
        run.last = kFrame;
        run.on_frame = keep;
        run.context = (void*)path.c_str();
        std::string error;
        _exit(run_demo_frames(run, error) == kFrame - first + 1 ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::string bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        char buffer[65536];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
        fclose(f);
    }
    return bytes;
}

TEST(DemoFrames, FramesSteppedThroughInAOnePixelWindowLeaveTheFrameAsDrawingThemAll) {
    const std::string dir = testing::TempDir();
    const std::string all = frame_pixels(0, dir + "/all.rgb"), stepped = frame_pixels(kFrame, dir + "/stepped.rgb");
    ASSERT_EQ(all.size(), (size_t)kDemoWidth * kDemoHeight * 3);
    EXPECT_TRUE(all == stepped);
}

}  // namespace
