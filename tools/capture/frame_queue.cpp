#include "tools/capture/frame_queue.h"

void open_frame_queue(FrameQueue& queue, int buffers, size_t bytes) {
    queue.buffers.assign((size_t)buffers, std::vector<unsigned char>(bytes));
    for (int i = 0; i < buffers; i++) queue.empty.push_back(i);
}

int take_empty(FrameQueue& queue) {
    std::unique_lock<std::mutex> hold(queue.lock);
    queue.changed.wait(hold, [&] { return !queue.empty.empty(); });
    int buffer = queue.empty.front();
    queue.empty.pop_front();
    return buffer;
}

void hand_over(FrameQueue& queue, int buffer) {
    std::lock_guard<std::mutex> hold(queue.lock);
    queue.full.push_back(buffer);
    queue.changed.notify_all();
}

void close_frame_queue(FrameQueue& queue) {
    std::lock_guard<std::mutex> hold(queue.lock);
    queue.closed = true;
    queue.changed.notify_all();
}

int take_full(FrameQueue& queue) {
    std::unique_lock<std::mutex> hold(queue.lock);
    queue.changed.wait(hold, [&] { return !queue.full.empty() || queue.closed; });
    if (queue.full.empty()) return -1;
    int buffer = queue.full.front();
    queue.full.pop_front();
    return buffer;
}

void give_back(FrameQueue& queue, int buffer) {
    std::lock_guard<std::mutex> hold(queue.lock);
    queue.empty.push_back(buffer);
    queue.changed.notify_all();
}
