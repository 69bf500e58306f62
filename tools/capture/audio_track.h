// The sound: a stretch of the music, encoded as AAC, padded with silence if
// the music ends first.
#ifndef QO_TOOLS_CAPTURE_AUDIO_TRACK_H
#define QO_TOOLS_CAPTURE_AUDIO_TRACK_H

#include <string>

#include "tools/capture/mp4_file.h"
#include "tools/capture/music.h"

struct AudioTrack {
    AVCodecContext* encoder = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    Music* music = nullptr;
    int64_t next_pts = 0;  // in samples
    int64_t length = 0;    // samples in the whole stretch
};

// The sample at a time in milliseconds, rounded to the nearest.
int64_t sample_at_ms(int64_t ms, int rate);

// The stretch from start_ms to end_ms of the music's time.
bool open_audio_track(AudioTrack& track, Mp4File& file, Music& music, int64_t start_ms, int64_t end_ms,
                      std::string& error);

// Encodes the stretch up to `ms` after its start (in whole encoder frames).
bool add_audio_until(AudioTrack& track, Mp4File& file, int64_t ms, std::string& error);

// Encodes the rest of the stretch and writes what the encoder still holds.
bool finish_audio_track(AudioTrack& track, Mp4File& file, std::string& error);

void close_audio_track(AudioTrack& track);

#endif
