#include "platform/message_queue.h"

namespace platform {

namespace {

bool matches(const MSG& m, HWND window, UINT low, UINT high) {
    if (window && m.hwnd != window) return false;
    if (low == 0 && high == 0) return true;
    return m.message >= low && m.message <= high;
}

}  // namespace

bool take_message(MessageQueue& queue, MSG* msg, HWND window, UINT low, UINT high, UINT remove, DWORD (*clock)()) {
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!matches(*it, window, low, high)) continue;
        *msg = *it;
        if (remove & PM_REMOVE) queue.posted.erase(it);
        return true;
    }
    // The quit message comes once nothing else is waiting.
    if (queue.quit_posted && !window && matches(MSG{nullptr, WM_QUIT, 0, 0, 0, {0, 0}}, nullptr, low, high)) {
        *msg = MSG{nullptr, WM_QUIT, (WPARAM)queue.quit_code, 0, clock(), {0, 0}};
        if (remove & PM_REMOVE) queue.quit_posted = false;
        return true;
    }
    return false;
}

void post_quit(MessageQueue& queue, int exit_code) {
    queue.quit_posted = true;
    queue.quit_code = exit_code;
}

}  // namespace platform
