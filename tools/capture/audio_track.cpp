#include "tools/capture/audio_track.h"

#include <string.h>

#include <algorithm>

#include "tools/capture/av_error.h"

int64_t sample_at_ms(int64_t ms, int rate) { return (ms * rate + 500) / 1000; }

bool open_audio_track(AudioTrack& track, Mp4File& file, Music& music, int64_t start_ms, int64_t end_ms,
                      std::string& error) {
    track.music = &music;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!codec) {
        error = "this FFmpeg has no AAC encoder";
        return false;
    }
    AVCodecContext* c = track.encoder = avcodec_alloc_context3(codec);
    track.frame = av_frame_alloc();
    if (!c || !track.frame) {
        error = "out of memory";
        return false;
    }
    c->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c->sample_rate = music.rate;
    c->time_base = AVRational{1, music.rate};
    c->bit_rate = 80000 * (int64_t)music.layout.nb_channels;  // well above the MP3's own rate
    c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int status = av_channel_layout_copy(&c->ch_layout, &music.layout);
    if (status >= 0) status = avcodec_open2(c, codec, nullptr);
    if (status < 0) {
        error = "cannot start the AAC encoder: " + av_error_text(status);
        return false;
    }
    track.stream = add_mp4_stream(file, c, error);
    if (!track.stream) return false;

    int64_t start = sample_at_ms(start_ms, music.rate);
    track.length = sample_at_ms(end_ms, music.rate) - start;
    skip_music(music, start);
    track.frame->format = c->sample_fmt;
    track.frame->sample_rate = c->sample_rate;
    track.frame->nb_samples = c->frame_size;
    status = av_channel_layout_copy(&track.frame->ch_layout, &c->ch_layout);
    if (status >= 0) status = av_frame_get_buffer(track.frame, 0);
    if (status < 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

namespace {

// One encoder frame of `count` samples (fewer only for the last).
bool add_audio_frame(AudioTrack& track, Mp4File& file, int count, std::string& error) {
    if (av_frame_make_writable(track.frame) < 0) {
        error = "out of memory";
        return false;
    }
    track.frame->nb_samples = count;
    float* const* planes = (float* const*)track.frame->extended_data;
    int got = read_music(*track.music, planes, count);
    for (int ch = 0; ch < track.frame->ch_layout.nb_channels; ch++)
        memset(planes[ch] + got, 0, sizeof(float) * (size_t)(count - got));  // after the music's end
    track.frame->pts = track.next_pts;
    track.next_pts += count;
    return encode_into(file, track.encoder, track.stream, track.frame, error);
}

}  // namespace

bool add_audio_until(AudioTrack& track, Mp4File& file, int64_t ms, std::string& error) {
    const int size = track.encoder->frame_size;
    int64_t until = std::min(track.length, sample_at_ms(ms, track.encoder->sample_rate));
    while (track.next_pts + size <= until)
        if (!add_audio_frame(track, file, size, error)) return false;
    return true;
}

bool finish_audio_track(AudioTrack& track, Mp4File& file, std::string& error) {
    const int size = track.encoder->frame_size;
    while (track.next_pts < track.length)
        if (!add_audio_frame(track, file, (int)std::min<int64_t>(size, track.length - track.next_pts), error))
            return false;
    return encode_into(file, track.encoder, track.stream, nullptr, error);
}

void close_audio_track(AudioTrack& track) {
    avcodec_free_context(&track.encoder);
    av_frame_free(&track.frame);
}
