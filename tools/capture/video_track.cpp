#include "tools/capture/video_track.h"

extern "C" {
#include <libavutil/opt.h>
}

#include "tools/capture/av_error.h"
#include "tools/capture/rgba_to_yuv420.h"

const AVRational kFrameRate = {125, 4};

bool open_video_track(VideoTrack& track, Mp4File& file, int width, int height, std::string& error) {
    track.width = width;
    track.height = height;
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) {
        error = "this FFmpeg has no H.264 encoder (libx264)";
        return false;
    }
    AVCodecContext* c = track.encoder = avcodec_alloc_context3(codec);
    track.frame = av_frame_alloc();
    if (!c || !track.frame) {
        error = "out of memory";
        return false;
    }
    c->width = width;
    c->height = height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = av_inv_q(kFrameRate);
    c->framerate = kFrameRate;
    c->sample_aspect_ratio = AVRational{1, 1};
    // sRGB pictures: BT.709 primaries and matrix, limited range, tagged so
    // players convert them back the same way.
    c->color_primaries = AVCOL_PRI_BT709;
    c->color_trc = AVCOL_TRC_BT709;
    c->colorspace = AVCOL_SPC_BT709;
    c->color_range = AVCOL_RANGE_MPEG;
    c->chroma_sample_location = AVCHROMA_LOC_CENTER;
    c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    // The fastest preset that keeps the files small on this slow-moving
    // picture; quality well above what the eye tells from the original.
    av_opt_set(c->priv_data, "preset", "veryfast", 0);
    av_opt_set(c->priv_data, "crf", "18", 0);
    int status = avcodec_open2(c, codec, nullptr);
    if (status < 0) {
        error = "cannot start the H.264 encoder: " + av_error_text(status);
        return false;
    }
    track.stream = add_mp4_stream(file, c, error);
    if (!track.stream) return false;

    track.frame->format = c->pix_fmt;
    track.frame->width = width;
    track.frame->height = height;
    if (av_frame_get_buffer(track.frame, 0) < 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

bool add_video_frame(VideoTrack& track, Mp4File& file, const unsigned char* rgba, std::string& error) {
    // The encoder may still hold the frame's last buffers.
    int status = av_frame_make_writable(track.frame);
    if (status < 0) {
        error = "out of memory";
        return false;
    }
    AVFrame* f = track.frame;
    rgba_to_yuv420(rgba, track.width, track.height,
                   Yuv420Planes{f->data[0], f->data[1], f->data[2], f->linesize[0], f->linesize[1], f->linesize[2]});
    track.frame->pts = track.next_pts++;
    return encode_into(file, track.encoder, track.stream, track.frame, error);
}

bool finish_video_track(VideoTrack& track, Mp4File& file, std::string& error) {
    return encode_into(file, track.encoder, track.stream, nullptr, error);
}

void close_video_track(VideoTrack& track) {
    avcodec_free_context(&track.encoder);
    av_frame_free(&track.frame);
}
