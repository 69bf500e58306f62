// The browser stand-in's records: windows, their device contexts, GL
// contexts and the message queue, shared by the files of platform/web/.
#ifndef QO_PLATFORM_WEB_WEB_STATE_H
#define QO_PLATFORM_WEB_WEB_STATE_H

#include <emscripten/html5_webgl.h>

#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/win32.h"

struct FixedglContext;

namespace web {

struct Window;

struct DeviceContext {
    Window* window;
};

// The one canvas is every window's surface; a window only keeps what the
// window procedure was told.
struct Window {
    WNDPROC proc;
    std::string class_name;
    std::string title;
    DWORD style;
    int client_width;
    int client_height;
    int pixel_format = 0;
    bool shown = false;
    int reported_active = -1;  // last activation told (state | minimised << 16), so repeats stay quiet
    DeviceContext dc;
};

struct GLContext {
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl;
    FixedglContext* layer;
};

extern std::vector<Window*> windows;
extern HWND focus;
extern platform::MessageQueue queue;

Window* window_from(HWND handle);
HWND handle_of(Window* window);
Window* window_of(HDC dc);

// The window that keys and page events go to: the focus window, or the first.
Window* event_window();

// Sends a message straight to the window procedure.
LRESULT send_message(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
void post(Window* window, UINT message, WPARAM wParam, LPARAM lParam);

// Activation as the window system reports it: only when it changes.
void report_activation(Window* window, WORD state, bool minimised);

// Starts turning the page's keys, visibility and full-screen changes into
// messages (once, with the first window).
void listen_to_page();

}  // namespace web

#endif
