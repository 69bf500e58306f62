#include "tools/capture/mp4_file.h"

#include "tools/capture/av_error.h"

bool open_mp4(Mp4File& file, const std::string& path, const std::string& name, std::string& error) {
    file.name = name;
    // The temporary name does not end in .mp4: the container is named.
    int status = avformat_alloc_output_context2(&file.format, nullptr, "mp4", path.c_str());
    file.packet = av_packet_alloc();
    if (status < 0 || !file.format || !file.packet) {
        error = "no MP4 writer in this FFmpeg: " + av_error_text(status < 0 ? status : AVERROR(ENOMEM));
        return false;
    }
    return true;
}

AVStream* add_mp4_stream(Mp4File& file, const AVCodecContext* encoder, std::string& error) {
    AVStream* stream = avformat_new_stream(file.format, nullptr);
    int status = stream ? avcodec_parameters_from_context(stream->codecpar, encoder) : AVERROR(ENOMEM);
    if (status < 0) {
        error = "cannot add a stream to " + file.name + ": " + av_error_text(status);
        return nullptr;
    }
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = encoder->framerate;
    return stream;
}

bool start_mp4(Mp4File& file, std::string& error) {
    int status = avio_open(&file.format->pb, file.format->url, AVIO_FLAG_WRITE);
    if (status < 0) {
        error = "cannot write " + file.name + ": " + av_error_text(status);
        return false;
    }
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    status = avformat_write_header(file.format, &options);
    av_dict_free(&options);
    if (status < 0) {
        error = "cannot write " + file.name + ": " + av_error_text(status);
        return false;
    }
    file.started = true;
    return true;
}

bool encode_into(Mp4File& file, AVCodecContext* encoder, AVStream* stream, const AVFrame* frame, std::string& error) {
    int status = avcodec_send_frame(encoder, frame);
    if (status < 0) {
        error = std::string("the ") + encoder->codec->name + " encoder failed: " + av_error_text(status);
        return false;
    }
    for (;;) {
        status = avcodec_receive_packet(encoder, file.packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) return true;
        if (status < 0) {
            error = std::string("the ") + encoder->codec->name + " encoder failed: " + av_error_text(status);
            return false;
        }
        av_packet_rescale_ts(file.packet, encoder->time_base, stream->time_base);
        file.packet->stream_index = stream->index;
        status = av_interleaved_write_frame(file.format, file.packet);  // takes the packet's data
        if (status < 0) {
            error = "cannot write " + file.name + ": " + av_error_text(status);
            return false;
        }
    }
}

bool finish_mp4(Mp4File& file, std::string& error) {
    int status = av_write_trailer(file.format);
    int closed = avio_closep(&file.format->pb);
    if (status < 0 || closed < 0) {
        error = "cannot write " + file.name + ": " + av_error_text(status < 0 ? status : closed);
        return false;
    }
    return true;
}

void close_mp4(Mp4File& file) {
    if (file.format && file.format->pb) avio_closep(&file.format->pb);
    avformat_free_context(file.format);
    file.format = nullptr;
    av_packet_free(&file.packet);
}
