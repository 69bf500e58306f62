// The capture: the demo's frames handed over by the thread that renders,
// converted and encoded on a thread of their own with the music beside them.
#ifndef QO_TOOLS_CAPTURE_CAPTURE_H
#define QO_TOOLS_CAPTURE_CAPTURE_H

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "tools/capture/audio_track.h"
#include "tools/capture/frame_queue.h"
#include "tools/capture/mp4_file.h"
#include "tools/capture/music.h"
#include "tools/capture/progress.h"
#include "tools/capture/video_track.h"

struct Capture {
    unsigned first = 0, last = 0;  // the frames captured, both included
    int width = 0, height = 0;
    std::string music_path, music_name;
    std::string output_path;  // where the video is written until it is finished
    std::string output_name;  // as the user gave it, for messages
    Progress progress;

    bool started = false;  // at the demo's first frame
    bool sound = false;
    Music music;
    Mp4File file;
    VideoTrack video;
    AudioTrack audio;
    FrameQueue queue;
    std::thread encoder;
    std::atomic<unsigned> rendered{0};  // frames of the demo made
    std::atomic<unsigned> encoded{0};   // captured frames encoded

    std::mutex failure_lock;
    std::atomic<bool> failed{false};
    std::string failure;  // the first one
};

// The frame handler of the demo's run (context: the Capture). The first frame
// opens the music and the encoders; a failure ends the run.
void capture_frame(unsigned frame, void* context);

// After the run: the frames still queued are encoded and the file finished.
bool finish_capture(Capture& capture, std::string& error);

void close_capture(Capture& capture);

#endif
