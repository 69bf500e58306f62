// The MP4 file being written: its streams, the packets that encoders give,
// interleaved by time, and the index at its front so players can start
// before the whole file has arrived.
#ifndef QO_TOOLS_CAPTURE_MP4_FILE_H
#define QO_TOOLS_CAPTURE_MP4_FILE_H

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

struct Mp4File {
    AVFormatContext* format = nullptr;
    AVPacket* packet = nullptr;
    std::string name;  // what messages call it: the file the user asked for
    bool started = false;
};

// Nothing is written before start_mp4.
bool open_mp4(Mp4File& file, const std::string& path, const std::string& name, std::string& error);

// A stream with an opened encoder's parameters. Encoders must be opened with
// AV_CODEC_FLAG_GLOBAL_HEADER.
AVStream* add_mp4_stream(Mp4File& file, const AVCodecContext* encoder, std::string& error);

bool start_mp4(Mp4File& file, std::string& error);

// Gives the encoder a frame (null: no more frames) and writes every packet it
// has ready.
bool encode_into(Mp4File& file, AVCodecContext* encoder, AVStream* stream, const AVFrame* frame, std::string& error);

// Writes what is left and the index, and closes the file.
bool finish_mp4(Mp4File& file, std::string& error);

void close_mp4(Mp4File& file);

#endif
