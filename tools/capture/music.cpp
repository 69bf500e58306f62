#include "tools/capture/music.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "tools/capture/av_error.h"

namespace {

// The rates AAC has; anything else is resampled to 48 kHz.
int aac_rate(int rate) {
    static const int kRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000};
    for (int r : kRates)
        if (r == rate) return rate;
    return 48000;
}

// Takes `dropped` samples off the front of a converted frame, the rest into the FIFO.
bool keep_converted(Music& m, int count) {
    int dropped = (int)std::min<int64_t>(m.to_skip, count);
    m.to_skip -= dropped;
    if (dropped == count) return true;
    void* from[2] = {m.converted[0] + dropped, m.converted[1] + dropped};
    return av_audio_fifo_write(m.fifo, from, count - dropped) == count - dropped;
}

bool convert(Music& m, const AVFrame* frame) {
    if (!m.resample) {
        AVChannelLayout in{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&in, frame->ch_layout.nb_channels);
        else
            av_channel_layout_copy(&in, &frame->ch_layout);
        int status = swr_alloc_set_opts2(&m.resample, &m.layout, AV_SAMPLE_FMT_FLTP, m.rate, &in,
                                         (AVSampleFormat)frame->format, frame->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&in);
        if (status < 0 || swr_init(m.resample) < 0) return false;
    }
    int most = swr_get_out_samples(m.resample, frame ? frame->nb_samples : 0);
    if (most > m.converted_size) {
        for (float*& plane : m.converted) {
            free(plane);
            plane = (float*)malloc(sizeof(float) * (size_t)most);
            if (!plane) return false;
        }
        m.converted_size = most;
    }
    int count = swr_convert(m.resample, (uint8_t**)m.converted, m.converted_size,
                            frame ? (const uint8_t**)frame->extended_data : nullptr, frame ? frame->nb_samples : 0);
    return count >= 0 && keep_converted(m, count);
}

// Decodes one more frame into the FIFO; false once the file has nothing more.
bool decode_more(Music& m) {
    while (!m.ended) {
        int status = avcodec_receive_frame(m.decoder, m.frame);
        if (status == 0) {
            bool converted = convert(m, m.frame);
            av_frame_unref(m.frame);
            if (!converted) m.ended = true;
            return converted;
        }
        if (status != AVERROR(EAGAIN)) {
            // The end, or a decoder that cannot go on: what the resampler holds is the last.
            if (m.resample) convert(m, nullptr);
            m.ended = true;
            return false;
        }
        status = av_read_frame(m.format, m.packet);
        if (status < 0) {
            avcodec_send_packet(m.decoder, nullptr);  // drain, then the decoder reports the end
            continue;
        }
        // A damaged packet is dropped; the decoder goes on with the next.
        if (m.packet->stream_index == m.stream) avcodec_send_packet(m.decoder, m.packet);
        av_packet_unref(m.packet);
    }
    return false;
}

}  // namespace

bool open_music(Music& m, const char* path, std::string& why) {
    int status = avformat_open_input(&m.format, path, nullptr, nullptr);
    if (status >= 0) status = avformat_find_stream_info(m.format, nullptr);
    if (status < 0) {
        // The file system's own complaints as they are; FFmpeg's ("Invalid
        // argument" for a file it cannot make sense of) said to be about playing it.
        bool file_problem = status == AVERROR(ENOENT) || status == AVERROR(EACCES) || status == AVERROR(EISDIR);
        why = file_problem ? av_error_text(status) : "cannot be played (" + av_error_text(status) + ")";
        return false;
    }
    const AVCodec* codec = nullptr;
    m.stream = av_find_best_stream(m.format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (m.stream < 0 || !codec) {
        why = "cannot be played (no sound that this FFmpeg can decode)";
        return false;
    }
    const AVCodecParameters* in = m.format->streams[m.stream]->codecpar;
    m.decoder = avcodec_alloc_context3(codec);
    m.packet = av_packet_alloc();
    m.frame = av_frame_alloc();
    if (!m.decoder || !m.packet || !m.frame || avcodec_parameters_to_context(m.decoder, in) < 0 ||
        (status = avcodec_open2(m.decoder, codec, nullptr)) < 0) {
        why = "cannot be played (its decoder does not start)";
        return false;
    }
    m.rate = aac_rate(in->sample_rate > 0 ? in->sample_rate : 48000);
    if (in->ch_layout.nb_channels == 1)
        m.layout = AV_CHANNEL_LAYOUT_MONO;
    else
        m.layout = AV_CHANNEL_LAYOUT_STEREO;
    m.fifo = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, m.layout.nb_channels, 4096);
    if (!m.fifo) {
        why = "cannot be played (out of memory)";
        return false;
    }
    // A file that opens but gives no sound cannot be played either.
    while (av_audio_fifo_size(m.fifo) == 0)
        if (!decode_more(m)) {
            why = "cannot be played (no sound could be decoded from it)";
            return false;
        }
    return true;
}

void skip_music(Music& m, int64_t samples) {
    int queued = (int)std::min<int64_t>(samples, av_audio_fifo_size(m.fifo));
    av_audio_fifo_drain(m.fifo, queued);
    m.to_skip += samples - queued;
}

int read_music(Music& m, float* const* planes, int count) {
    int got = 0;
    while (got < count) {
        int available = av_audio_fifo_size(m.fifo);
        if (available == 0) {
            if (!decode_more(m) && av_audio_fifo_size(m.fifo) == 0) break;
            continue;
        }
        int n = std::min(available, count - got);
        void* to[2] = {planes[0] + got, m.layout.nb_channels > 1 ? planes[1] + got : nullptr};
        if (av_audio_fifo_read(m.fifo, to, n) != n) break;
        got += n;
    }
    return got;
}

void close_music(Music& m) {
    avformat_close_input(&m.format);
    avcodec_free_context(&m.decoder);
    swr_free(&m.resample);
    if (m.fifo) av_audio_fifo_free(m.fifo);
    m.fifo = nullptr;
    av_packet_free(&m.packet);
    av_frame_free(&m.frame);
    for (float*& plane : m.converted) {
        free(plane);
        plane = nullptr;
    }
    av_channel_layout_uninit(&m.layout);
}
