// Resizing a window from outside, as the window system does for a size
// change it makes itself. Offscreen surfaces cannot change size, so the
// window gets a new one and its context moves over.
#include "platform/sdl_backend.h"
#include "platform/window_state.h"

namespace scripted {

bool resize_window(HWND handle, int width, int height) {
    platform::Window* w = platform::window_from(handle);
    if (!w || !w->sdl || width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return false;
    SDL_GLContext context = SDL_GL_GetCurrentContext();
    bool current = context && SDL_GL_GetCurrentWindow() == w->sdl;
    // SDL's GL attributes are still those the window's pixel format set:
    // nothing has made a window since.
    const Uint32 kept = SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE;
    SDL_Window* fresh = SDL_CreateWindow(w->title.c_str(), 0, 0, width, height,
                                         (SDL_GetWindowFlags(w->sdl) & kept) | SDL_WINDOW_HIDDEN);
    if (!fresh) return false;
    if (current && SDL_GL_MakeCurrent(fresh, context) != 0) {
        SDL_DestroyWindow(fresh);
        SDL_GL_MakeCurrent(w->sdl, context);
        return false;
    }
    SDL_DestroyWindow(w->sdl);
    w->sdl = fresh;
    if (w->shown) SDL_ShowWindow(fresh);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_WINDOWEVENT);
    w->client_width = width;
    w->client_height = height;
    w->reported_width = width;
    w->reported_height = height;
    platform::record("resize " + std::to_string(width) + "x" + std::to_string(height));
    platform::send_message(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    return true;
}

}  // namespace scripted
