#include "tools/capture/capture.h"

#include <stdio.h>

#include <system_error>

#include "tools/screenshot/demo_frames.h"

namespace {

// Enough for the encoder to take one while the renderer fills the next.
const int kBuffers = 3;

void fail(Capture& c, const std::string& error) {
    std::lock_guard<std::mutex> hold(c.failure_lock);
    if (c.failed) return;
    c.failure = error;
    c.failed = true;
}

void encode_frames(Capture* c) {
    std::string error;
    for (int buffer; (buffer = take_full(c->queue)) >= 0; give_back(c->queue, buffer)) {
        if (c->failed) continue;  // the run is ending: only empty the queue
        // The sound up to the end of this frame, then the frame.
        int64_t end_ms = (int64_t)(c->encoded + 1) * kFrameMs;
        if ((c->sound && !add_audio_until(c->audio, c->file, end_ms, error)) ||
            !add_video_frame(c->video, c->file, c->queue.buffers[(size_t)buffer].data(), error)) {
            fail(*c, error);
            continue;
        }
        c->encoded++;
        show_progress(c->progress, c->rendered, c->encoded);
    }
}

bool start_capture(Capture& c, std::string& error) {
    std::string why;
    c.sound = open_music(c.music, c.music_path.c_str(), why);
    if (!c.sound) {
        fprintf(stderr, "qo-capture: warning: %s: %s; the video has no sound\n", c.music_name.c_str(), why.c_str());
        close_music(c.music);
    }
    if (!open_mp4(c.file, c.output_path, c.output_name, error) ||
        !open_video_track(c.video, c.file, c.width, c.height, error))
        return false;
    if (c.sound && !open_audio_track(c.audio, c.file, c.music, (int64_t)c.first * kFrameMs,
                                     (int64_t)(c.last + 1) * kFrameMs, error))
        return false;
    if (!start_mp4(c.file, error)) return false;
    open_frame_queue(c.queue, kBuffers, (size_t)c.width * c.height * 4);
    try {
        c.encoder = std::thread(encode_frames, &c);
    } catch (const std::system_error& e) {
        error = std::string("cannot start the encoding thread: ") + e.what();
        return false;
    }
    c.started = true;
    return true;
}

}  // namespace

void capture_frame(unsigned frame, void* context) {
    Capture& c = *static_cast<Capture*>(context);
    std::string error;
    if (frame == 0 && !start_capture(c, error)) fail(c, error);
    if (c.failed) {
        stop_demo_frames();
        return;
    }
    c.rendered = frame + 1;
    if (frame < c.first) {
        show_progress(c.progress, c.rendered, 0);
        return;
    }
    int buffer = take_empty(c.queue);
    read_frame(c.width, c.height, 4, c.queue.buffers[(size_t)buffer].data());
    hand_over(c.queue, buffer);
}

bool finish_capture(Capture& c, std::string& error) {
    if (c.started) {
        close_frame_queue(c.queue);
        c.encoder.join();
    }
    end_progress(c.progress);
    if (c.failed) {
        error = c.failure;
        return false;
    }
    if (!c.started || c.encoded != c.last - c.first + 1) {
        error = "the demo stopped before the last frame";
        return false;
    }
    return (!c.sound || finish_audio_track(c.audio, c.file, error)) && finish_video_track(c.video, c.file, error) &&
           finish_mp4(c.file, error);
}

void close_capture(Capture& c) {
    close_video_track(c.video);
    close_audio_track(c.audio);
    close_mp4(c.file);
    close_music(c.music);
}
