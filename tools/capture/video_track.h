// The video: the demo's pictures, converted to 4:2:0 and encoded as H.264.
#ifndef QO_TOOLS_CAPTURE_VIDEO_TRACK_H
#define QO_TOOLS_CAPTURE_VIDEO_TRACK_H

#include <string>

#include "tools/capture/mp4_file.h"

struct VideoTrack {
    AVCodecContext* encoder = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    int width = 0, height = 0;
    int64_t next_pts = 0;  // in frames
};

// 31.25 frames a second: one frame every 32 ms.
extern const AVRational kFrameRate;

bool open_video_track(VideoTrack& track, Mp4File& file, int width, int height, std::string& error);

// One picture as GL reads it: RGBA rows, bottom row first.
bool add_video_frame(VideoTrack& track, Mp4File& file, const unsigned char* rgba, std::string& error);

// Writes the frames the encoder still holds.
bool finish_video_track(VideoTrack& track, Mp4File& file, std::string& error);

void close_video_track(VideoTrack& track);

#endif
