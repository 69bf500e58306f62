// A finished video as FFmpeg's programs see it. The capture_stretch fixture
// captures one stretch of the demo once for all of these: 1 s to 4 s on the
// shipped data, frames 32 to 124, beside qo-screenshot's picture of frame 50.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>

#include <string>

#include "run_tool.h"
#include "video_probe.h"

namespace {

const std::string kStretch = QO_STRETCH_DIR;
const std::string kVideo = kStretch + "/video.mp4";
const unsigned kFirst = 32, kFrames = 93;
const double kSeconds = kFrames * 0.032;

TEST(CaptureStretch, FfprobeSeesH264At125Over4WithAacSound) {
    std::map<std::string, std::string> v = probe_stream(kVideo, "v");
    ASSERT_FALSE(v.empty()) << "no video at " << kVideo << " (the capture_stretch fixture makes it)";
    EXPECT_EQ(v["codec_name"], "h264");
    EXPECT_EQ(v["pix_fmt"], "yuv420p");
    EXPECT_EQ(v["width"], "1024");
    EXPECT_EQ(v["height"], "768");
    EXPECT_EQ(v["r_frame_rate"], "125/4");
    EXPECT_EQ(v["avg_frame_rate"], "125/4");
    EXPECT_EQ(v["nb_read_frames"], std::to_string(kFrames));
    EXPECT_EQ(v["color_space"], "bt709");
    EXPECT_EQ(v["color_range"], "tv");
    EXPECT_DOUBLE_EQ(atof(v["start_time"].c_str()), 0);
    EXPECT_NEAR(atof(v["duration"].c_str()), kSeconds, 1e-6);

    std::map<std::string, std::string> a = probe_stream(kVideo, "a");
    EXPECT_EQ(a["codec_name"], "aac");
    EXPECT_EQ(a["sample_rate"], "44100");  // the music's own
    EXPECT_EQ(a["channels"], "2");
    EXPECT_DOUBLE_EQ(atof(a["start_time"].c_str()), 0);
    EXPECT_NEAR(atof(a["duration"].c_str()), kSeconds, 1.0 / 44100);
}

TEST(CaptureStretch, DecodedFrameIsQoScreenshotsPictureOfTheSameFrame) {
    std::vector<unsigned char> shot = decoded_picture(kStretch + "/frame50.png", 0);
    ASSERT_EQ(shot.size(), 1024u * 768 * 3);
    std::vector<unsigned char> frame = decoded_picture(kVideo, 50 - kFirst);
    ASSERT_EQ(frame.size(), shot.size());
    // Above 40 dB the encoding's loss is below what the eye tells apart; a
    // picture upside down, shifted, or with its colours converted the wrong
    // way scores far less.
    double quality = psnr(frame, shot);
    EXPECT_GT(quality, 40) << quality;
    // Early in the fade-in every frame is brighter than the one before by
    // about a fifth of a level on average: the neighbours give themselves away.
    double here = fabs(mean(frame) - mean(shot));
    for (unsigned neighbour : {49u, 51u}) {
        double there = fabs(mean(decoded_picture(kVideo, neighbour - kFirst)) - mean(shot));
        EXPECT_GT(there, 0.1) << neighbour;
        EXPECT_LT(here, there / 3) << neighbour;
    }
}

TEST(CaptureStretch, SoundIsTheSameStretchOfTheMusicInStep) {
    std::vector<float> sound = decoded_sound(kVideo);
    std::vector<float> music = decoded_sound(QO_DATA_DIR "/musakki.mp3", 6);
    ASSERT_GE(sound.size(), (size_t)(kSeconds * 44100));
    ASSERT_GE(music.size(), (size_t)(6 * 44100) - 1);
    // The stretch starts at frame 32's time: 1.024 s into the music.
    const long start = 45158;
    // Search 46 ms either way over one second of sound for where it matches best.
    const long window = 44100, reach = 2048, from = 44100;
    long best_lag = 0;
    double best = -1, best_score = 0;
    for (long lag = -reach; lag <= reach; lag++) {
        double dot = 0, energy_music = 0, energy_sound = 0;
        for (long i = from; i < from + window; i++) {
            double s = sound[(size_t)i], m = music[(size_t)(start + i + lag)];
            dot += s * m;
            energy_music += m * m;
            energy_sound += s * s;
        }
        double score = dot / sqrt(energy_music * energy_sound + 1e-30);
        if (score > best) best = score, best_lag = lag, best_score = score;
    }
    EXPECT_EQ(best_lag, 0);
    EXPECT_GT(best_score, 0.99);  // the same sound, through AAC
}

TEST(CaptureStretch, ProgressAtEveryTenthAndNothingLeftBeside) {
    std::string err = read_file(kStretch + "/stderr");
    // One line as each tenth is reached: 10 lines.
    std::string expected;
    for (unsigned done = 1, tenths = 0; done <= kFrames; done++) {
        if (done * 10 / kFrames == tenths) continue;
        tenths = done * 10 / kFrames;
        expected += "qo-capture: " + std::to_string(done) + "/93 frames (" + std::to_string(done * 100 / kFrames) + "%)";
    }
    std::string seen;
    for (size_t at = 0; (at = err.find("qo-capture: ", at)) != std::string::npos; at++) {
        size_t end = err.find(')', at);
        if (err.compare(at, 17, "qo-capture: wrote") != 0 && end != std::string::npos) seen += err.substr(at, end - at + 1);
    }
    EXPECT_EQ(seen, expected) << err;
    EXPECT_NE(err.find("qo-capture: wrote " + kVideo + ": 93 frames (2.976 s) at 1024x768, with sound\n"),
              std::string::npos)
        << err;
    EXPECT_EQ(files_in(kStretch), (std::vector<std::string>{"frame50.png", "stderr", "video.mp4"}));
}

}  // namespace
