// qo-capture run as a program: larger pictures, and every way it can fail,
// each leaving nothing at the output that looks finished.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "run_tool.h"
#include "video_probe.h"

namespace {

const char* const kDataFiles[] = {"met1.obj", "met1.mtl", "2.bmp", "te1.bmp", "te2.bmp", "musakki.mp3"};

// The shipped data without one file, or with it replaced by `bytes`.
std::string data_copy(const std::string& changed, const std::string* bytes = nullptr) {
    std::string dir = scratch_dir();
    for (const char* name : kDataFiles) {
        std::string to = dir + "/" + name;
        if (name != changed)
            EXPECT_EQ(symlink((std::string(QO_DATA_DIR) + "/" + name).c_str(), to.c_str()), 0);
        else if (bytes)
            write_file(to, *bytes);
    }
    return dir;
}

ToolRun capture(std::vector<std::string> arguments, const ToolLimits& limits = ToolLimits()) {
    arguments.insert(arguments.begin(), QO_CAPTURE);
    return run_tool(arguments, limits);
}

// Standard error without the progress lines.
std::string without_progress(const std::string& err) {
    std::string kept;
    size_t start = 0;
    for (size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = err.substr(start, end - start + 1);
        if (line.find(" frames (") == std::string::npos || line.find("%), ") == std::string::npos) kept += line;
    }
    return kept;
}


TEST(CaptureTool, LargerPicturesShowTheSameSceneThroughTheWindowsResize) {
    std::string out = scratch_dir() + "/big.mp4";
    ToolRun r = capture({"--from", "1.6", "--to", "1.7", "--size", "1440x1080", QO_DATA_DIR, out});
    ASSERT_EQ(r.status, 0) << r.err;
    std::map<std::string, std::string> v = probe_stream(out, "v");
    EXPECT_EQ(v["width"] + "x" + v["height"], "1440x1080");
    EXPECT_EQ(v["nb_read_frames"], "4");  // frames 50 to 53
    // Brought down to the demo's size, frame 50 is qo-screenshot's picture of
    // it, up to the finer sampling: the projection fits the larger window. (A
    // window left with the size handler's identity projection shows only the
    // clear colour, under 30 dB from this dark picture.)
    std::vector<unsigned char> shot = decoded_picture(QO_STRETCH_DIR "/frame50.png", 0);
    std::vector<unsigned char> scaled = decoded_picture(out, 0, 1024, 768);
    double quality = psnr(scaled, shot);
    EXPECT_GT(quality, 40) << quality;
}

TEST(CaptureTool, UsageErrorsExitTwoWithTheUsageLine) {
    const std::string usage = "usage: qo-capture [--from SECONDS] [--to SECONDS] [--size WxH] DATA_DIR OUT.mp4\n";
    const std::vector<std::string> cases[] = {
        {}, {"--size", "1440x1000", QO_DATA_DIR, "x.mp4"}, {"--from", "9", "--to", "8", QO_DATA_DIR, "x.mp4"}};
    for (const auto& arguments : cases) {
        ToolRun r = capture(arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.find("qo-capture: "), 0u) << r.err;
        EXPECT_EQ(r.err.substr(r.err.find('\n') + 1), usage);
    }
    EXPECT_NE(capture({"--size", "1440x1000", QO_DATA_DIR, "x.mp4"}).err.find("4:3 shape"), std::string::npos);
    ToolRun help = capture({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.find(usage), 0u);
    EXPECT_EQ(help.err, "");
}

TEST(CaptureTool, DataThatCannotBeRunFailsWithOneLineAndLeavesNothing) {
    const struct {
        std::string data, message;
    } cases[] = {
        {"/nonexistent/qo-data", "qo-capture: /nonexistent/qo-data: no such directory\n"},
        {data_copy("met1.obj"), "glmReadOBJ() failed: can't open data file \"met1.obj\".\n"},
        {data_copy("te1.bmp"), "qo-capture: Error: Failed to open DIB file te1.bmp.\n"},
    };
    for (const auto& c : cases) {
        std::string dir = scratch_dir();
        ToolRun r = capture({"--to", "1", c.data, dir + "/out.mp4"});
        EXPECT_EQ(r.status, 1) << c.data;
        EXPECT_EQ(r.err, c.message);
        EXPECT_TRUE(files_in(dir).empty()) << c.data;
    }
}

TEST(CaptureTool, OutputThatCannotBeWrittenFailsAndKeepsWhatWasThere) {
    std::string dir = scratch_dir(), out = dir + "/out.mp4";
    ToolRun r = capture({"--to", "1", QO_DATA_DIR, dir + "/missing/out.mp4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qo-capture: cannot write " + dir + "/missing/out.mp4: No such file or directory\n");
    r = capture({"--to", "1", QO_DATA_DIR, dir});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qo-capture: cannot write " + dir + ": Is a directory\n");

    // The disk fills up part of the way through.
    write_file(out, "an earlier video");
    ToolLimits small;
    small.file_size = 40000;
    r = capture({"--to", "3", QO_DATA_DIR, out}, small);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(without_progress(r.err), "qo-capture: cannot write " + out + ": File too large\n");
    EXPECT_EQ(read_file(out), "an earlier video");
    EXPECT_EQ(files_in(dir), std::vector<std::string>{"out.mp4"});

    // Interrupted while it works.
    ToolLimits interrupt;
    interrupt.interrupt = SIGINT;
    interrupt.interrupt_when = dir + "/.out.mp4.*";
    interrupt.interrupt_after_ms = 500;
    r = capture({"--to", "30", QO_DATA_DIR, out}, interrupt);
    EXPECT_EQ(r.signal, SIGINT);
    EXPECT_EQ(read_file(out), "an earlier video");
    EXPECT_EQ(files_in(dir), std::vector<std::string>{"out.mp4"});
}

// The video goes through the model library's write path: a symbolic link at
// the output keeps pointing where it did, at the video now; a device is
// written in place and stays the device it was.
TEST(CaptureTool, ASymbolicLinkKeepsPointingAtTheVideoAndADeviceIsWrittenInPlace) {
    std::string dir = scratch_dir(), link = dir + "/link.mp4";
    ASSERT_EQ(mkdir((dir + "/videos").c_str(), 0755), 0);
    write_file(dir + "/videos/real.mp4", "an earlier video");
    ASSERT_EQ(symlink("videos/real.mp4", link.c_str()), 0);
    ToolRun r = capture({"--to", "0.2", QO_DATA_DIR, link});
    ASSERT_EQ(r.status, 0) << r.err;
    char target[64] = {};
    struct stat st;
    EXPECT_TRUE(lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_EQ(readlink(link.c_str(), target, sizeof target - 1), 15);
    EXPECT_STREQ(target, "videos/real.mp4");
    EXPECT_EQ(read_file(dir + "/videos/real.mp4").substr(4, 4), "ftyp");
    EXPECT_EQ(files_in(dir + "/videos"), std::vector<std::string>{"real.mp4"});

    r = capture({"--to", "0.2", QO_DATA_DIR, "/dev/null"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(stat("/dev/null", &st) == 0 && S_ISCHR(st.st_mode));
}

TEST(CaptureTool, MusicThatCannotBePlayedGivesASilentVideoAndOneWarning) {
    const std::string noise(5000, '\x5a');
    const struct {
        std::string data, why;
    } cases[] = {{data_copy("musakki.mp3"), "No such file or directory"},
                 {data_copy("musakki.mp3", &noise), "cannot be played (Invalid argument)"}};
    for (const auto& c : cases) {
        std::string out = scratch_dir() + "/silent.mp4";
        ToolRun r = capture({"--to", "0.1", c.data, out});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(without_progress(r.err), "qo-capture: warning: " + c.data + "/musakki.mp3: " + c.why +
                                               "; the video has no sound\n" + "qo-capture: wrote " + out +
                                               ": 4 frames (0.128 s) at 1024x768, without sound\n");
        EXPECT_EQ(probe_stream(out, "v")["nb_read_frames"], "4");
        EXPECT_TRUE(probe_stream(out, "a").empty());
    }
}

}  // namespace
