// The thread's message queue, without any window system: posted messages in
// order, and the quit message, which comes once nothing else waits. Shared
// by the SDL and the browser stand-ins.
#ifndef QO_PLATFORM_MESSAGE_QUEUE_H
#define QO_PLATFORM_MESSAGE_QUEUE_H

#include <deque>

#include "platform/win32.h"

namespace platform {

struct MessageQueue {
    std::deque<MSG> posted;
    bool quit_posted = false;
    int quit_code = 0;
};

// PeekMessageA's choice: the first posted message that passes the filter (a
// window, a message range; zeros for none), else the quit message if one was
// posted and no window is named. Removed when PM_REMOVE is set. The quit
// message is stamped with `clock`, read only for it.
bool take_message(MessageQueue& queue, MSG* msg, HWND window, UINT low, UINT high, UINT remove, DWORD (*clock)());

void post_quit(MessageQueue& queue, int exit_code);

}  // namespace platform

#endif
