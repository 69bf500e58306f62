// Pictures handed from the thread that renders to the one that encodes,
// through a few buffers that go round.
#ifndef QO_TOOLS_CAPTURE_FRAME_QUEUE_H
#define QO_TOOLS_CAPTURE_FRAME_QUEUE_H

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

struct FrameQueue {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::vector<unsigned char>> buffers;
    std::deque<int> empty, full;  // buffer numbers, full ones in frame order
    bool closed = false;          // no more frames will come
};

void open_frame_queue(FrameQueue& queue, int buffers, size_t bytes);

// The renderer's side: an empty buffer (waits for one), then hands it over.
int take_empty(FrameQueue& queue);
void hand_over(FrameQueue& queue, int buffer);
void close_frame_queue(FrameQueue& queue);

// The encoder's side: the next full buffer, waiting for one; -1 once the
// queue is closed and nothing is left. Given back when done with.
int take_full(FrameQueue& queue);
void give_back(FrameQueue& queue, int buffer);

#endif
