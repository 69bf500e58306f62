// The window system's records, shared by the files of the platform layer.
#ifndef QO_PLATFORM_WINDOW_STATE_H
#define QO_PLATFORM_WINDOW_STATE_H

#include <SDL2/SDL.h>

#include <string>
#include <vector>

#include "platform/win32.h"

#ifdef QO_PLATFORM_FIXEDGL
struct FixedglContext;  // the GL layer's, in the variant that hosts it
#endif

namespace platform {

struct Window;

struct DeviceContext {
    Window* window;
};

struct Window {
    WNDPROC proc;
    std::string class_name;
    std::string title;
    DWORD style;
    DWORD ex_style;
    int client_width;
    int client_height;
    SDL_Window* sdl = nullptr;  // made when the pixel format is set (or at first show)
    int pixel_format = 0;
    bool shown = false;
    bool fullscreen = false;  // showing the changed display mode
    // What the window procedure was last told, so repeated events stay quiet
    // as they do on the original platform.
    int reported_width = -1;
    int reported_height = -1;
    int reported_active = -1;
    DeviceContext dc;
};

struct GLContext {
    SDL_GLContext gl;
    Window* window;
#ifdef QO_PLATFORM_FIXEDGL
    FixedglContext* layer;  // the GL layer's context over this ES 2 context
#endif
};

struct DisplayMode {
    bool changed = false;  // a full-screen mode is in force
    int width = 0;
    int height = 0;
    int bits = 0;
    bool physical = false;  // the driver has real modes to switch to
    SDL_DisplayMode mode{};
};

extern std::vector<Window*> windows;
extern DisplayMode display;
extern HWND focus;

Window* window_from(HWND handle);
HWND handle_of(Window* window);
Window* window_from_sdl_id(Uint32 id);

// Sends a message straight to the window procedure, as the platform does
// for the messages it sends rather than posts.
LRESULT send_message(Window* window, UINT message, WPARAM wParam, LPARAM lParam);

// Leaves full-screen on every window, giving the desktop its mode back.
void restore_display_mode();

}  // namespace platform

#endif
