// Parsing qo-capture's command line. Times are read exactly as decimals, so
// a time on a frame's boundary picks that frame whatever its digits.
#include "tools/capture/arguments.h"

#include <stdint.h>
#include <string.h>

const char* const kCaptureUsage = "usage: qo-capture [--from SECONDS] [--to SECONDS] [--size WxH] DATA_DIR OUT.mp4\n";

const char* const kCaptureHelp =
    "\n"
    "Renders the demo in DATA_DIR headless, frame by frame on its own clock, into\n"
    "an MP4 video (H.264, 4:2:0) at 31.25 frames a second with the same stretch of\n"
    "DATA_DIR/musakki.mp3 as its sound (AAC). Frame k of the video is the demo's\n"
    "frame at 32*k ms, the one qo-screenshot renders as frame k.\n"
    "\n"
    "  --from SECONDS  start at the first frame at or after this time (default 0)\n"
    "  --to SECONDS    end with the last frame before this time (default 268)\n"
    "  --size WxH      picture size, 4:3 with an even height, from 320x240 to\n"
    "                  4096x3072 (default 1024x768)\n"
    "  --help          print this help and exit\n"
    "  --version       print the version and exit\n"
    "\n"
    "Without the music file, or with one that cannot be played, the video has no\n"
    "sound. Exit status: 0 on success, 1 on an error, 2 on a usage error.\n";

namespace {

const int64_t kNanoseconds = 1000000000;
const int64_t kFrameNs = (int64_t)kFrameMs * 1000000;
const int64_t kRunNs = (int64_t)kDemoFrames * kFrameNs;

struct Seconds {
    int64_t ns;    // the value, cut after nine decimals
    bool beyond;   // digits after those nine were not all zero: the value is a little more
};

// Digits with an optional fraction, nothing else: no sign, no exponent.
bool parse_seconds(const char* text, Seconds& value) {
    value = Seconds{0, false};
    const char* p = text;
    int whole_digits = 0, fraction_digits = 0;
    int64_t whole = 0;
    for (; *p >= '0' && *p <= '9'; p++, whole_digits++) {
        if (whole > kRunNs / kNanoseconds) return false;  // out of range long before it could overflow
        whole = whole * 10 + (*p - '0');
    }
    value.ns = whole * kNanoseconds;
    if (*p == '.') {
        int64_t scale = kNanoseconds;
        for (p++; *p >= '0' && *p <= '9'; p++, fraction_digits++) {
            if (scale > 1)
                value.ns += (*p - '0') * (scale /= 10);
            else if (*p != '0')
                value.beyond = true;
        }
    }
    return *p == '\0' && whole_digits + fraction_digits > 0;
}

// The first frame at or after the time.
int64_t first_frame_from(const Seconds& t) {
    return t.beyond ? t.ns / kFrameNs + 1 : (t.ns + kFrameNs - 1) / kFrameNs;
}

// The last frame before the time (-1 when there is none).
int64_t last_frame_before(const Seconds& t) { return t.beyond ? t.ns / kFrameNs : (t.ns + kFrameNs - 1) / kFrameNs - 1; }

bool parse_size(const char* text, int& width, int& height) {
    unsigned long w = 0, h = 0;
    const char* p = text;
    int digits = 0;
    for (; *p >= '0' && *p <= '9' && digits < 6; p++, digits++) w = w * 10 + (*p - '0');
    if (!digits || (*p != 'x' && *p != 'X')) return false;
    for (p++, digits = 0; *p >= '0' && *p <= '9' && digits < 6; p++, digits++) h = h * 10 + (*p - '0');
    if (!digits || *p) return false;
    width = (int)w;
    height = (int)h;
    return true;
}

std::string size_problem(int width, int height) {
    if (width * 3 != height * 4) return "--size must keep the demo's 4:3 shape (for example 1440x1080)";
    if (height % 2) return "--size needs an even height (a width that is a multiple of 8)";
    if (width < 320 || width > 4096) return "--size must be from 320x240 to 4096x3072";
    return "";
}

}  // namespace

bool parse_capture_arguments(int argc, char** argv, CaptureArguments& arguments, std::string& error) {
    arguments = CaptureArguments();
    Seconds from{0, false}, to{kRunNs, false};
    std::string positional[2];
    int positionals = 0;
    bool options_end = false;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (options_end || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (positionals == 2) {
                error = "too many arguments ('" + arg + "')";
                return false;
            }
            positional[positionals++] = arg;
            continue;
        }
        if (arg == "--") {
            options_end = true;
            continue;
        }
        if (arg == "--help") {
            arguments.help = true;
            return true;
        }
        if (arg == "--version") {
            arguments.version = true;
            return true;
        }
        // --name VALUE or --name=VALUE
        std::string name = arg, value;
        size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (name != "--from" && name != "--to" && name != "--size") {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (equals == std::string::npos) {
            if (i + 1 == argc) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (name == "--size") {
            if (!parse_size(value.c_str(), arguments.width, arguments.height)) {
                error = "--size needs WIDTHxHEIGHT in pixels, not '" + value + "'";
                return false;
            }
            error = size_problem(arguments.width, arguments.height);
            if (!error.empty()) return false;
            continue;
        }
        Seconds& t = name == "--from" ? from : to;
        if (!parse_seconds(value.c_str(), t) || t.ns > kRunNs || (t.ns == kRunNs && t.beyond)) {
            error = name + " needs a number of seconds from 0 to 268, not '" + value + "'";
            return false;
        }
    }
    if (positionals < 2) {
        error = positionals == 0 ? "no DATA_DIR and OUT.mp4" : "no OUT.mp4";
        return false;
    }
    arguments.data_dir = positional[0];
    arguments.output = positional[1];
    int64_t first = first_frame_from(from), last = last_frame_before(to);
    if (first > last) {
        error = "no frame starts at or after --from and before --to (frames are 0.032 s apart)";
        return false;
    }
    arguments.first = (unsigned)first;
    arguments.last = (unsigned)last;
    return true;
}
