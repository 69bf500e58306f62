// The command line of qo-capture.
#ifndef QO_TOOLS_CAPTURE_ARGUMENTS_H
#define QO_TOOLS_CAPTURE_ARGUMENTS_H

#include <string>

#include "tools/screenshot/demo_frames.h"

struct CaptureArguments {
    bool help = false, version = false;
    std::string data_dir, output;
    unsigned first = 0, last = kDemoFrames - 1;  // the frames captured, both included
    int width = kDemoWidth, height = kDemoHeight;
};

extern const char* const kCaptureUsage;  // one line
extern const char* const kCaptureHelp;   // what --help prints after it

// False on a usage error, with the reason in `error`.
bool parse_capture_arguments(int argc, char** argv, CaptureArguments& arguments, std::string& error);

#endif
