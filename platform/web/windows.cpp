// Windows on the page: each window's surface is the page's canvas, whose
// drawing buffer keeps the size it was made with, so a window's client area
// never changes size after it is made.
#include <emscripten/html5.h>

#include <algorithm>

#include "platform/backend.h"
#include "platform/web/browser.h"
#include "platform/web/web_state.h"
#include "platform/window_classes.h"

namespace web {

std::vector<Window*> windows;
HWND focus = nullptr;

namespace {

int cursor_count = 0;
bool display_changed = false;

}  // namespace

Window* window_from(HWND handle) {
    Window* w = reinterpret_cast<Window*>(handle);
    return std::find(windows.begin(), windows.end(), w) != windows.end() ? w : nullptr;
}

HWND handle_of(Window* window) { return reinterpret_cast<HWND>(window); }

Window* event_window() {
    if (Window* w = window_from(focus)) return w;
    return windows.empty() ? nullptr : windows.front();
}

LRESULT send_message(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    return window->proc(handle_of(window), message, wParam, lParam);
}

void report_activation(Window* w, WORD state, bool minimised) {
    int code = state | (minimised ? 0x10000 : 0);
    if (code == w->reported_active) return;
    w->reported_active = code;
    post(w, WM_ACTIVATE, MAKEWPARAM(state, minimised ? 1 : 0), 0);
}

}  // namespace web

namespace platform {

// The browser refuses no window-system step.
bool step_fails(platform::WindowStep) { return false; }

bool class_in_use(const char* name) {
    for (web::Window* w : web::windows)
        if (w->class_name == name) return true;
    return false;
}

}  // namespace platform

using namespace web;

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int width, int height, HWND,
                     HMENU, HINSTANCE, LPVOID) {
    const WNDCLASSA* wc = className ? platform::find_class(className) : nullptr;
    if (!wc) return nullptr;
    int left, top, right, bottom;
    platform::frame_insets(style, left, top, right, bottom);
    Window* w = new Window();
    w->proc = wc->lpfnWndProc;
    w->class_name = className;
    w->title = windowName ? windowName : "";
    w->style = style;
    w->client_width = std::max(1, width - left - right);
    w->client_height = std::max(1, height - top - bottom);
    w->dc.window = w;
    windows.push_back(w);
    listen_to_page();
    // A pop-up window learns its size while it is being created (an
    // overlapped one at its first show).
    if (style & WS_POPUP) send_message(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width, w->client_height));
    return handle_of(w);
}

BOOL DestroyWindow(HWND handle) {
    Window* w = window_from(handle);
    if (!w) return FALSE;
    if (focus == handle) focus = nullptr;
    windows.erase(std::find(windows.begin(), windows.end(), w));
    delete w;
    return TRUE;
}

BOOL ShowWindow(HWND handle, int) {
    Window* w = window_from(handle);
    if (!w) return FALSE;
    bool was_shown = w->shown;
    w->shown = true;
    if (!was_shown) {
        // The first show activates the window and gives an overlapped window
        // its size, both sent before ShowWindow returns, activation first.
        w->reported_active = WA_ACTIVE;
        send_message(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
        if (!(w->style & WS_POPUP))
            send_message(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width, w->client_height));
        // A page that is already hidden has the window minimised at once.
        EmscriptenVisibilityChangeEvent visibility;
        if (emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS && visibility.hidden)
            report_activation(w, WA_INACTIVE, true);
    }
    return was_shown;
}

BOOL SetForegroundWindow(HWND handle) { return window_from(handle) ? TRUE : FALSE; }

HWND SetFocus(HWND handle) {
    HWND previous = focus;
    if (window_from(handle)) focus = handle;
    return previous;
}

HWND GetFocus(void) { return window_from(focus) ? focus : nullptr; }

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
    Window* w = window_from(handle);
    if (!w) return FALSE;
    std::string title = text ? text : "";
    if (title != w->title) qo_web_set_title(title.c_str());  // the page's title changes only when it must
    w->title = title;
    return TRUE;
}

int ShowCursor(BOOL show) {
    cursor_count += show ? 1 : -1;
    qo_web_show_cursor(cursor_count >= 0);
    return cursor_count;
}

// The page asks the browser for full screen when the person starts the run
// (browsers grant it only then), so any full-screen mode is granted here,
// and giving the mode back leaves the browser's full screen.
LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    if (!mode) {
        if (display_changed) emscripten_exit_fullscreen();
        display_changed = false;
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (!(flags & CDS_FULLSCREEN) || mode->dmSize != sizeof(DEVMODEA)) return DISP_CHANGE_FAILED;
    if (mode->dmBitsPerPel > 32 || mode->dmPelsWidth == 0 || mode->dmPelsHeight == 0) return DISP_CHANGE_BADMODE;
    display_changed = true;
    return DISP_CHANGE_SUCCESSFUL;
}
