// The scripted backend's state: failures, journal, message-box answers,
// scripted messages and the present hook, and the test API over them.
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "platform/sdl_backend.h"
#include "platform/scripted/state.h"
#include "platform/window_state.h"

namespace scripted {

State state;

void reset() {
    state = State();
}

void fail(platform::WindowStep step, bool failing) { state.failing[step] = failing; }

void answer_next_message_box(int answer) { state.answers.push_back(answer); }

void post_message_at_time(uint64_t at, UINT message, WPARAM wParam, LPARAM lParam) {
    state.scripted_messages.push_back(ScriptedMessage{false, at, message, wParam, lParam, nullptr});
}

void post_message_at_frame(unsigned at_frame, UINT message, WPARAM wParam, LPARAM lParam) {
    state.scripted_messages.push_back(ScriptedMessage{true, at_frame, message, wParam, lParam, nullptr});
}

void call_at_frame(unsigned at_frame, ScriptedCall call) {
    state.scripted_messages.push_back(ScriptedMessage{true, at_frame, 0, 0, 0, call});
}

void on_present(PresentHook hook) { state.present_hook = hook; }

unsigned frames_presented() { return state.presented; }

const std::vector<std::string>& journal() { return state.journal; }

std::vector<std::string> journal_lines(const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : state.journal)
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line.substr(prefix.size()));
    return lines;
}

const std::vector<MessageBox>& message_boxes() { return state.boxes; }

std::string title() {
    std::vector<std::string> titles = journal_lines("title ");
    return titles.empty() ? std::string() : titles.back();
}

static LRESULT CALLBACK test_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

bool open_gl_context(int width, int height) {
    static HDC dc = nullptr;
    static HGLRC rc = nullptr;
    if (rc) return wglMakeCurrent(dc, rc) != FALSE;
    WNDCLASSA wc{};
    wc.lpfnWndProc = test_window_procedure;
    wc.lpszClassName = "ScriptedTestWindow";
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "ScriptedTestWindow", "test", WS_POPUP, 0, 0, width, height, nullptr,
                                  nullptr, nullptr, nullptr);
    if (!window || !(dc = GetDC(window))) return false;
    if (!SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd) || !(rc = wglCreateContext(dc))) return false;
    return wglMakeCurrent(dc, rc) != FALSE;
}

}  // namespace scripted

namespace platform {

using scripted::state;

bool step_fails(platform::WindowStep step) { return state.failing[step]; }

void record(const std::string& line) { state.journal.push_back(line); }

void pump_backend_messages(std::deque<MSG>& queue) {
    // Due messages go to the focus window, or the first window there is.
    HWND target = GetFocus();
    if (!target && !windows.empty()) target = handle_of(windows.front());
    // By position, as a call may script more (after the ones already there).
    auto& pending = state.scripted_messages;
    for (size_t i = 0; i < pending.size();) {
        const scripted::ScriptedMessage& next = pending[i];
        if (!(next.by_frame ? state.presented >= next.at : state.now >= next.at)) {
            i++;
            continue;
        }
        scripted::ScriptedMessage m = next;
        pending.erase(pending.begin() + (ptrdiff_t)i);
        if (m.call)
            m.call();
        else
            queue.push_back(MSG{target, m.message, m.wParam, m.lParam, GetTickCount(), {0, 0}});
    }
}

int show_message_box(HWND owner, const char* text, const char* caption, UINT type) {
    state.boxes.push_back(scripted::MessageBox{text, caption, type, owner});
    char style[16];
    snprintf(style, sizeof style, "0x%X", type);
    record(std::string("box ") + caption + "|" + text + "|" + style);
    if (!state.answers.empty()) {
        int answer = state.answers.front();
        state.answers.erase(state.answers.begin());
        return answer;
    }
    return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
}

void before_present() {
    if (state.present_hook) state.present_hook(state.presented);
    state.presented++;
}

const char* forced_video_driver() { return "offscreen"; }

// Tests leave SDL and the GL driver loaded at exit: there is no display mode
// or sound device to give back, and the leak checker can still name the
// driver's own allocations.
void install_process_cleanup() {}

void release_media() {}

}  // namespace platform

MCIERROR mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND) {
    if (returnString && returnLength) returnString[0] = '\0';
    platform::record(std::string("mci ") + (command ? command : ""));
    return 0;
}
