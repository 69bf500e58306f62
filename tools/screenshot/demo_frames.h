// Running the demo headless on its data, with frames exactly 32 ms apart on
// its clocks, and handing chosen frames to the caller before they are shown.
// Shared by qo-screenshot and qo-capture.
#ifndef QO_TOOLS_DEMO_FRAMES_H
#define QO_TOOLS_DEMO_FRAMES_H

#include <string>

// Frames 32 ms apart: frame k is the one presented at 32·k ms of running
// time, and the run presents frames 0 to 8374.
const int kFrameMs = 32;
const unsigned kDemoFrames = 8375;
const int kDemoWidth = 1024, kDemoHeight = 768;

// Called with each chosen frame before it is presented, on the thread that
// renders: the GL context is current and the back buffer holds the frame.
typedef void (*FrameHandler)(unsigned frame, void* context);

struct FrameRun {
    const char* tool = "";      // the program's name, for its messages
    const char* data_dir = "";  // the demo's files
    unsigned first = 0, last = 0;                  // frames handed over, both included
    int width = kDemoWidth, height = kDemoHeight;  // the picture's size
    FrameHandler on_frame = nullptr;
    void* context = nullptr;
    // Called when the demo ends the process itself (a data file it cannot
    // read), after its messages are out and before the process exits with
    // status 1. Must be safe to call from an exit handler.
    void (*on_abort)() = nullptr;
};

// Runs the demo's entry in run.data_dir (the working directory changes to
// it) and ends the run after frame run.last. A size other than the demo's is
// given to the window before the first frame through the window's own size
// handling; the projection the demo set is kept, as it does not depend on the
// size (its aspect is fixed at 1). Returns the number of frames handed over;
// when that is not all of them, `error` says why.
unsigned run_demo_frames(const FrameRun& run, std::string& error);

// From a frame handler: the run ends after this frame.
void stop_demo_frames();

// The back buffer's pixels, 3 (RGB) or 4 (RGBA) bytes each, rows packed,
// bottom row first.
void read_frame(int width, int height, int channels, unsigned char* pixels);

// A path that names the same file after the working directory changes.
std::string absolute_path(const char* path);

#endif
