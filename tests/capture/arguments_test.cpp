// qo-capture's command line: times picked as whole frames exactly at their
// boundaries, sizes held to the demo's shape, and usage errors with reasons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/capture/arguments.h"

namespace {

bool parse(std::vector<const char*> options, CaptureArguments& arguments, std::string& error) {
    std::vector<char*> argv = {const_cast<char*>("qo-capture")};
    for (const char* o : options) argv.push_back(const_cast<char*>(o));
    argv.push_back(const_cast<char*>("data"));
    argv.push_back(const_cast<char*>("out.mp4"));
    return parse_capture_arguments((int)argv.size(), argv.data(), arguments, error);
}

TEST(CaptureArguments, WholeRunAtTheDemosSizeByDefault) {
    CaptureArguments a;
    std::string error;
    ASSERT_TRUE(parse({}, a, error)) << error;
    EXPECT_EQ(a.data_dir, "data");
    EXPECT_EQ(a.output, "out.mp4");
    EXPECT_EQ(a.first, 0u);
    EXPECT_EQ(a.last, 8374u);  // 267.968 s, the last frame the demo shows
    EXPECT_EQ(a.width, 1024);
    EXPECT_EQ(a.height, 768);
}

TEST(CaptureArguments, TimesPickWholeFramesExactly) {
    const struct {
        const char *from, *to;
        unsigned first, last;
    } cases[] = {
        {"0", "268", 0, 8374},
        {"0.032", "0.064", 1, 1},               // on boundaries: from includes, to excludes
        {"0.031999999", "0.064000001", 1, 2},
        {"0.0320000000001", "1", 2, 31},        // past nine decimals still counts
        {"1", "4", 32, 124},
        {"100.000", "100.0320000000000001", 3125, 3126},
        {"267.968", "268.000000000", 8374, 8374},
        {".5", "0.53", 16, 16},
    };
    for (const auto& c : cases) {
        CaptureArguments a;
        std::string error;
        ASSERT_TRUE(parse({"--from", c.from, "--to", c.to}, a, error)) << c.from << " " << c.to << ": " << error;
        EXPECT_EQ(a.first, c.first) << c.from;
        EXPECT_EQ(a.last, c.last) << c.to;
    }
    CaptureArguments a;
    std::string error;
    ASSERT_TRUE(parse({"--from=2.5", "--to=3", "--size=1440x1080"}, a, error)) << error;
    EXPECT_EQ(a.first, 79u);
    EXPECT_EQ(a.last, 93u);
    EXPECT_EQ(a.width, 1440);
    EXPECT_EQ(a.height, 1080);
}

TEST(CaptureArguments, UsageErrorsSayWhy) {
    const struct {
        std::vector<const char*> options;
        const char* reason;
    } cases[] = {
        {{"--size", "1440x1000"}, "4:3"},
        {{"--size", "1920x1080"}, "4:3"},
        {{"--size", "1020x765"}, "even height"},
        {{"--size", "256x192"}, "from 320x240 to 4096x3072"},
        {{"--size", "8192x6144"}, "from 320x240 to 4096x3072"},
        {{"--size", "1024*768"}, "WIDTHxHEIGHT"},
        {{"--from", "-1"}, "from 0 to 268"},
        {{"--from", "1e3"}, "from 0 to 268"},
        {{"--to", "268.0000000001"}, "from 0 to 268"},
        {{"--to", "99999999999999999999999"}, "from 0 to 268"},
        {{"--from", "."}, "from 0 to 268"},
        {{"--from", "5", "--to", "5"}, "no frame"},
        {{"--from", "1.001", "--to", "1.02"}, "no frame"},
        {{"--fps", "60"}, "unknown option '--fps'"},
        {{"extra"}, "too many arguments"},
    };
    for (const auto& c : cases) {
        CaptureArguments a;
        std::string error;
        EXPECT_FALSE(parse(c.options, a, error)) << c.reason;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    char* missing_value[] = {const_cast<char*>("qo-capture"), const_cast<char*>("data"), const_cast<char*>("--to")};
    CaptureArguments a;
    std::string error;
    EXPECT_FALSE(parse_capture_arguments(3, missing_value, a, error));
    EXPECT_EQ(error, "option --to needs a value");
    EXPECT_FALSE(parse_capture_arguments(2, missing_value, a, error));
    EXPECT_EQ(error, "no OUT.mp4");
}

}  // namespace
