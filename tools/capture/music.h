// The music file, decoded from a chosen sample on, as planar float samples
// at a rate the AAC encoder takes.
#ifndef QO_TOOLS_CAPTURE_MUSIC_H
#define QO_TOOLS_CAPTURE_MUSIC_H

#include <stdint.h>

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

struct Music {
    AVFormatContext* format = nullptr;
    AVCodecContext* decoder = nullptr;
    SwrContext* resample = nullptr;
    AVAudioFifo* fifo = nullptr;  // decoded samples not yet read
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    float* converted[2] = {nullptr, nullptr};  // one decoded frame after conversion
    int converted_size = 0;
    int stream = -1;
    int rate = 0;                 // samples a second, of what is read
    AVChannelLayout layout{};     // mono or stereo
    int64_t to_skip = 0;          // samples still to drop before the stretch
    bool ended = false;           // the file has given all it has
};

// Opens the file and decodes its first samples; false, with the reason in
// `why`, for a file that is missing or cannot be played.
bool open_music(Music& music, const char* path, std::string& why);

// Drops the next `samples` samples.
void skip_music(Music& music, int64_t samples);

// Up to `count` samples into each channel's plane; fewer only at the end.
int read_music(Music& music, float* const* planes, int count);

void close_music(Music& music);

#endif
