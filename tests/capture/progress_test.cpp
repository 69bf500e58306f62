// The progress shown while capturing: the bar and the every-tenth lines.
#include <gtest/gtest.h>

#include "tools/capture/progress.h"

namespace {

TEST(CaptureProgress, BarFillsWithTheFramesEncoded) {
    ProgressFigures f{0, 200, 0, 0, 0, -1};
    EXPECT_EQ(progress_bar_text(f, 10), "[..........] 0/200 frames  0.0 fps  --:-- left");
    f = ProgressFigures{50, 200, 0, 0, 31.3, 6.4};
    EXPECT_EQ(progress_bar_text(f, 10), "[##........] 50/200 frames  31.3 fps  0:06 left");
    f = ProgressFigures{200, 200, 0, 0, 40, 0};
    EXPECT_EQ(progress_bar_text(f, 10), "[##########] 200/200 frames  40.0 fps  0:00 left");
}

TEST(CaptureProgress, RunningUpToTheFirstFrameAndLongWaitsAreShown) {
    ProgressFigures f{0, 100, 3125, 1000, 50, 3725.4};
    EXPECT_EQ(progress_bar_text(f, 4), "[....] 0/100 frames  50.0 fps  1:02:05 left  (running up to the first: 1000/3125)");
    f.lead_in_done = 3125;
    f.done = 100;
    f.seconds_left = 0;
    EXPECT_EQ(progress_line_text(f), "qo-capture: 100/100 frames (100%), 50.0 fps, 0:00 left");
}

}  // namespace
