// The message queue on the page: PeekMessageA gives the browser its turn,
// in which the page's events become messages; dispatch, the default window
// procedure, and message boxes shown in the page.
#include "platform/web/browser.h"
#include "platform/web/turns.h"
#include "platform/web/web_state.h"

namespace web {

platform::MessageQueue queue;

void post(Window* w, UINT message, WPARAM wParam, LPARAM lParam) {
    queue.posted.push_back(MSG{handle_of(w), message, wParam, lParam, GetTickCount(), {0, 0}});
}

}  // namespace web

using namespace web;

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlag) {
    give_browser_a_turn_if_due();
    return platform::take_message(queue, msg, window, filterMin, filterMax, removeFlag, GetTickCount);
}

// Character messages are not produced: nothing here reads them.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
    Window* w = msg ? window_from(msg->hwnd) : nullptr;
    if (!w) return 0;
    return send_message(w, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) { platform::post_quit(queue, exitCode); }

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (!window_from(window)) return 0;
    const WPARAM sc_close = 0xF060;
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == sc_close) send_message(window_from(window), WM_CLOSE, 0, 0);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        default:
            return 0;
    }
}

// Modal: the run waits in the page's turn until the person answers.
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
    int answer = qo_web_message_box(text ? text : "", caption ? caption : "Error", type);
    note_browser_turn();
    return answer;
}
