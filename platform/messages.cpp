// The thread's message queue, dispatch into window procedures, the default
// window procedure and message boxes.
#include <stdio.h>

#include "platform/sdl_backend.h"
#include "platform/message_queue.h"
#include "platform/window_state.h"

namespace {

platform::MessageQueue queue;

}  // namespace

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlag) {
    platform::translate_window_events(queue.posted);
    platform::pump_backend_messages(queue.posted);
    return platform::take_message(queue, msg, window, filterMin, filterMax, removeFlag, GetTickCount);
}

// Character messages are not produced: nothing here reads them.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    platform::Window* w = msg ? platform::window_from(msg->hwnd) : nullptr;
    if (!w) return 0;
    return platform::send_message(w, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) { platform::post_quit(queue, exitCode); }

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
    platform::Window* w = platform::window_from(window);
    if (!w) return 0;
    char line[64];
    snprintf(line, sizeof line, "default 0x%X 0x%X", message, (unsigned)wParam);
    platform::record(line);
    const WPARAM sc_minimize = 0xF020, sc_close = 0xF060;
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == sc_close) platform::send_message(w, WM_CLOSE, 0, 0);
            if ((wParam & 0xFFF0) == sc_minimize && w->sdl) SDL_MinimizeWindow(w->sdl);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        default:
            return 0;
    }
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    platform::Window* w = platform::window_from(owner);
    return platform::show_message_box(w ? owner : nullptr, text ? text : "",
                                      caption ? caption : "Error", type);
}

namespace platform {

void post(std::deque<MSG>& q, Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    q.push_back(MSG{handle_of(w), message, wParam, lParam, GetTickCount(), {0, 0}});
}

}  // namespace platform
