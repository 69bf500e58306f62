// The whole demo on its shipped data: 268 seconds through the real entry,
// with frames exactly 32 ms apart and real headless rendering.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>

#include "demo_run.h"
#include "image/rgb_image.h"

namespace {

struct Point {
    int x, y;
};

// The window pixel over texel (tx, ty) of the first overlay's picture (the
// quad spans eye x 5..65, y -30..30 at depth 100).
Point over_first_overlay(const RgbImage* picture, int tx, int ty) {
    const double half = 100 * tan(M_PI / 6);
    double ex = 35 + ((tx + 0.5) / picture->width - 0.5) * 60, ey = ((ty + 0.5) / picture->height - 0.5) * 60;
    return Point{(int)((1 + ex / half) / 2 * 1024), (int)((1 + ey / half) / 2 * 768)};
}

int brightness(const RgbImage* p, int x, int y) {
    const unsigned char* px = p->pixels + ((size_t)y * p->width + x) * 3;
    return px[0] + px[1] + px[2];
}

TEST(WholeRun, EveryElementOnScreenForTheWholeTimeline) {
    // A bright texel of the first overlay and the nearest fully black one at
    // least three texels away (so filtering takes nothing from the bright one).
    RgbImage* te1 = auxDIBImageLoadA(QO_DATA_DIR "/te1.bmp");
    ASSERT_NE(te1, nullptr);
    int bx = 0, by = 0;
    for (int y = 0; y < te1->height; y++)
        for (int x = 0; x < te1->width; x++)
            if (brightness(te1, x, y) > brightness(te1, bx, by)) bx = x, by = y;
    int dx = -1, dy = -1, best = 1 << 30;
    for (int y = 0; y < te1->height; y++)
        for (int x = 0; x < te1->width; x++) {
            int d = (x - bx) * (x - bx) + (y - by) * (y - by);
            bool black = true;
            for (int yy = std::max(0, y - 1); yy <= std::min(te1->height - 1, y + 1); yy++)
                for (int xx = std::max(0, x - 1); xx <= std::min(te1->width - 1, x + 1); xx++) black &= brightness(te1, xx, yy) == 0;
            if (black && d >= 9 && d < best) best = d, dx = x, dy = y;
        }
    ASSERT_GE(dx, 0);
    Point bright = over_first_overlay(te1, bx, by), dark = over_first_overlay(te1, dx, dy);
    free(te1->pixels);
    free(te1);

    const Point centre{512, 384}, blade{148, 733};
    DemoScript script;
    script.directory = QO_DATA_DIR;
    script.mm_step = 32;
    script.pixels.push_back({0, centre.x, centre.y});
    script.pixels.push_back({150, centre.x, centre.y});
    for (unsigned frame = 1000; frame <= 4000; frame += 100) {
        for (Point p : {centre, blade, bright, dark}) script.pixels.push_back({frame, p.x, p.y});
    }
    DemoRun run = run_demo(script);
    ASSERT_TRUE(run.returned);
    EXPECT_EQ(run.result, 0);
    ASSERT_EQ(run.frames.size(), 8375u);
    EXPECT_EQ(run.last.current_time, 268032.0f);

    // Frames exactly 32 ms apart, the title "32" once the counter has settled,
    // as many fade-out steps as fade-in steps, the music started and stopped.
    for (size_t i = 1; i < run.frames.size(); i++) ASSERT_EQ(run.frames[i].mm_time - run.frames[i - 1].mm_time, 32u);
    std::vector<std::string> titles = run.journal_lines("title ");
    ASSERT_EQ(titles.size(), 8376u);
    for (size_t i = 64; i < titles.size(); i++) ASSERT_EQ(titles[i], "32") << i;
    EXPECT_NEAR(run.last.mustuus, 1.0f, 1e-4);
    EXPECT_EQ(run.journal_lines("mci "),
              (std::vector<std::string>{"play musakki.mp3", "stop musakki.mp3", "close musakki.mp3"}));

    // Column 0 starts at -700: 533 advances take it to 899, the 534th to -900.
    EXPECT_EQ(run.frames[0].column0_x, -697.0f);
    EXPECT_EQ(run.frames[532].column0_x, 899.0f);
    EXPECT_EQ(run.frames[533].column0_x, -900.0f);
    EXPECT_EQ(run.frames[533 + 601].column0_x, -900.0f);  // then a cycle of 601 positions

    // Every frame ends as it began; normalisation is on for good after the
    // first frame's rings, colour-material off after the first replay.
    for (size_t i = 0; i < run.frames.size(); i++) {
        ASSERT_TRUE(run.frames[i].state_restored) << i;
        ASSERT_TRUE(run.frames[i].normalize) << i;
        ASSERT_FALSE(run.frames[i].colour_material) << i;
    }

    std::vector<int> centre_values, bright_values, dark_values;
    for (const auto& probe : run.probe_pixels) {
        const Pixel& px = probe.second;
        int sum = px.r + px.g + px.b;
        Point at{probe.first.x, probe.first.y};
        if (probe.first.frame < 1000) continue;
        if (at.x == blade.x && at.y == blade.y) {
            EXPECT_LE(sum, 3) << "blade at frame " << probe.first.frame;
        }
        if (at.x == centre.x && at.y == centre.y) centre_values.push_back(sum);
        if (at.x == bright.x && at.y == bright.y) bright_values.push_back(sum);
        if (at.x == dark.x && at.y == dark.y) dark_values.push_back(sum);
    }
    // The fade: the first frame is darker than frame 150.
    EXPECT_LT(run.pixels[0].r + run.pixels[0].g + run.pixels[0].b, run.pixels[150].r + run.pixels[150].g + run.pixels[150].b);
    // The backdrop is static, so the centre changes only as silhouettes pass behind it.
    ASSERT_EQ(centre_values.size(), 31u);
    auto [centre_min, centre_max] = std::minmax_element(centre_values.begin(), centre_values.end());
    EXPECT_GE(*centre_max - *centre_min, 4) << "no silhouette showed through the backdrop";
    // The overlay's bright texel lifts its pixel well above its black neighbour's.
    int bright_max = *std::max_element(bright_values.begin(), bright_values.end());
    int dark_max = *std::max_element(dark_values.begin(), dark_values.end());
    EXPECT_GT(bright_max, dark_max * 5 / 4 + 6);
}

}  // namespace
