// The run loop, the fade and the frame counter, driven through the demo's own
// entry with scripted clocks and real headless rendering.
#include <gtest/gtest.h>

#include <cmath>

#include "demo_run.h"
#include "platform/scripted.h"

namespace {

std::vector<std::string> media(const DemoRun& run) { return run.journal_lines("mci "); }

const std::vector<std::string> kMusicCommands = {"play musakki.mp3", "stop musakki.mp3", "close musakki.mp3"};

// The whole 268-second timeline in one-second frames: frames land exactly on
// 10000, 258000 and 268000 ms, where nothing steps and nothing ends.
TEST(RunLoop, WholeTimelineInSecondSteps) {
    DemoScript script;
    script.mm_step = 1000;
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    EXPECT_EQ(run.result, 0);

    // Running time 1000, 2000, ... 268000 shown; 269000 drawn, not shown.
    ASSERT_EQ(run.frames.size(), 268u);
    for (size_t i = 0; i < run.frames.size(); i++) ASSERT_EQ(run.frames[i].current_time, 1000.0f * (i + 1));
    EXPECT_EQ(run.last.current_time, 269000.0f);
    EXPECT_EQ(run.last.demofloat, 268);

    float previous = 1.0f;
    int fade_in = 0, fade_out = 0;
    for (const Frame& f : run.frames) {
        if (f.current_time < 10000.0f) {
            EXPECT_EQ(f.mustuus, (float)(previous - 0.01)) << f.current_time;
            fade_in++;
        } else if (f.current_time > 258000.0f && f.current_time < 268000.0f) {
            EXPECT_EQ(f.mustuus, (float)(previous + 0.01)) << f.current_time;
            fade_out++;
        } else {
            EXPECT_EQ(f.mustuus, previous) << f.current_time;  // 10000, 258000, 268000 and between
        }
        previous = f.mustuus;
    }
    EXPECT_EQ(fade_in, 9);
    EXPECT_EQ(fade_out, 9);
    EXPECT_NEAR(run.last.mustuus, 1.0f, 1e-6);

    // Every call a second after the last closes a counting window: the first
    // holds two calls, every later one one.
    std::vector<std::string> titles = run.journal_lines("title ");
    ASSERT_EQ(titles.size(), 269u);
    EXPECT_EQ(titles[0], "0");
    EXPECT_EQ(titles[1], "2");
    for (size_t i = 2; i < titles.size(); i++) ASSERT_EQ(titles[i], "1") << i;

    // The music starts once everything is ready, before the first frame, and
    // is stopped and closed at the end.
    EXPECT_EQ(media(run), kMusicCommands);
    size_t play = 0, first_title = 0;
    for (size_t i = 0; i < run.journal.size(); i++) {
        if (run.journal[i] == "mci play musakki.mp3") play = i;
        if (!first_title && run.journal[i].compare(0, 6, "title ") == 0) first_title = i;
    }
    EXPECT_LT(play, first_title);
}

// Frames exactly 32 ms apart: no wait before the first, then the counter.
TEST(RunLoop, FramesAt32MillisecondsAndTheirCount) {
    DemoScript script;
    script.mm_step = 32;
    script.messages.push_back({130, WM_KEYDOWN, VK_ESCAPE, 0});
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    ASSERT_EQ(run.frames.size(), 130u);
    EXPECT_EQ(run.frames[0].mm_time, (DWORD)scripted_start_time());
    for (size_t i = 1; i < run.frames.size(); i++) ASSERT_EQ(run.frames[i].mm_time - run.frames[i - 1].mm_time, 32u);
    // "0" through the first second; the first window holds 33 calls (its
    // closing call included), every later one exactly 32.
    std::vector<std::string> titles = run.journal_lines("title ");
    ASSERT_EQ(titles.size(), 131u);
    for (size_t i = 0; i < 32; i++) EXPECT_EQ(titles[i], "0") << i;
    for (size_t i = 32; i < 64; i++) EXPECT_EQ(titles[i], "33") << i;
    for (size_t i = 64; i < titles.size(); i++) EXPECT_EQ(titles[i], "32") << i;
    // After exactly 100 steps the overlay is a hair above zero, not zero; the 101st goes below.
    EXPECT_GT(run.frames[99].mustuus, 0.0f);
    EXPECT_LT(run.frames[99].mustuus, 1e-5f);
    EXPECT_LT(run.frames[100].mustuus, 0.0f);
}

// The fade really darkens what is shown: the black backdrop's grey under a
// black quad of alpha a (itself barely fogged at depth 100).
TEST(RunLoop, FadeOverlayDarkensThePicture) {
    DemoScript script;
    script.mm_step = 32;
    script.messages.push_back({160, WM_KEYDOWN, VK_ESCAPE, 0});
    for (unsigned frame : {0u, 49u, 150u}) script.pixels.push_back({frame, 512, 384});
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    ASSERT_EQ(run.pixels.size(), 3u);
    auto fog_share = [](double depth) { return 1.0 - std::exp(-std::pow(0.0014 * depth, 2)); };
    const double backdrop = 0.8 * fog_share(150) * 0.1 + 0.2 * 0.1;
    for (unsigned frame : {0u, 49u, 150u}) {
        double alpha = std::max(0.0, std::min(1.0, (double)run.frames[frame].mustuus));
        double expected = 255.0 * ((fog_share(100) * 0.1) * alpha + backdrop * (1 - alpha));
        EXPECT_NEAR(run.pixels[frame].r, expected, 2.0) << "frame " << frame;
        EXPECT_NEAR(run.pixels[frame].g, expected, 2.0) << "frame " << frame;
    }
    EXPECT_LT(run.pixels[0].r, run.pixels[150].r);
    EXPECT_LT(run.pixels[49].r, run.pixels[150].r);
}

// The multimedia time wraps past 2^32 a few frames in; the spacing holds.
TEST(RunLoop, WaitSpacingSurvivesClockWrap) {
    DemoScript script;
    script.mm_step = 1;
    script.mm_offset = (uint32_t)(0x100000000ull - scripted_start_time() - 100);
    script.messages.push_back({12, WM_KEYDOWN, VK_ESCAPE, 0});
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    ASSERT_EQ(run.frames.size(), 12u);
    bool wrapped = false;
    for (size_t i = 1; i < run.frames.size(); i++) {
        EXPECT_EQ(run.frames[i].mm_time - run.frames[i - 1].mm_time, 32u) << i;
        wrapped |= run.frames[i].mm_time < run.frames[i - 1].mm_time;
    }
    EXPECT_TRUE(wrapped);
}

// Escape ends the run at the next end test: that frame is drawn, not shown.
TEST(RunLoop, EscapeEndsAfterDrawingUnshown) {
    DemoScript script;
    script.messages.push_back({20, WM_KEYDOWN, VK_ESCAPE, 0});
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    EXPECT_EQ(run.result, 0);
    EXPECT_EQ(run.frames.size(), 20u);
    EXPECT_EQ(run.journal_lines("title ").size(), 21u);  // the 21st frame was made
    EXPECT_EQ(run.last.demofloat, 20);
    EXPECT_EQ(media(run), kMusicCommands);
}

// Closing the window ends the run without making another frame.
TEST(RunLoop, CloseEndsWithoutAnotherFrame) {
    DemoScript script;
    script.messages.push_back({20, WM_CLOSE, 0, 0});
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    EXPECT_EQ(run.frames.size(), 20u);
    EXPECT_EQ(run.journal_lines("title ").size(), 20u);
    EXPECT_EQ(media(run), kMusicCommands);
}

// A size message resets the projection to identity, and nothing sets it again.
TEST(RunLoop, SizeMessageResetsProjection) {
    DemoScript script;
    script.messages.push_back({5, WM_SIZE, 0, MAKELPARAM(1024, 768)});
    script.messages.push_back({8, WM_KEYDOWN, VK_ESCAPE, 0});
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    ASSERT_EQ(run.frames.size(), 8u);
    for (int i = 0; i < 5; i++) EXPECT_FALSE(run.frames[i].projection_identity) << i;
    for (int i = 5; i < 8; i++) EXPECT_TRUE(run.frames[i].projection_identity) << i;
}

// The window's own first size and activation messages are handled while it
// is created: none waits in the queue to reset the projection later.
TEST(RunLoop, FirstFrameKeepsThePerspective) {
    DemoScript script;
    script.messages.push_back({2, WM_KEYDOWN, VK_ESCAPE, 0});
    DemoRun run = run_demo(script);
    ASSERT_EQ(run.frames.size(), 2u);
    EXPECT_FALSE(run.frames[0].projection_identity);
}

// When the window cannot be made, the entry ends before any GL state or music.
TEST(RunLoop, WindowFailureEndsBeforeMusic) {
    DemoScript script;
    script.fail_steps.push_back(platform::kCreateWindow);
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    EXPECT_EQ(run.result, 0);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_TRUE(media(run).empty());
    EXPECT_EQ(run.journal_lines("box "), std::vector<std::string>{"ERROR|Window Creation Error.|0x30"});
}

// Full screen refused and windowed mode declined: two boxes, no run.
TEST(RunLoop, DeclinedWindowedModeEnds) {
    DemoScript script;
    script.fail_steps.push_back(platform::kChangeDisplaySettings);
    script.box_answers.push_back(IDNO);
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    EXPECT_TRUE(run.frames.empty());
    EXPECT_TRUE(media(run).empty());
    std::vector<std::string> boxes = run.journal_lines("box ");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0],
              "Zubo GL|The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
              "Instead?|0x34");
    EXPECT_EQ(boxes[1], "ERROR|Program Will Now Close.|0x10");
}

}  // namespace
