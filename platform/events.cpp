// SDL's window and keyboard events, turned into the window messages the
// original platform sends: keys with virtual-key codes, close requests as the
// system command, size and activation changes only when they change.
#include "platform/sdl_backend.h"
#include "platform/window_state.h"

namespace platform {

void post(std::deque<MSG>& q, Window* w, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

// Virtual-key code of an SDL key, or 0 for keys without one here.
WPARAM virtual_key(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    switch (key) {
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_TAB: return 0x09;
        case SDLK_RETURN: return 0x0D;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
        case SDLK_LALT: case SDLK_RALT: return 0x12;
        case SDLK_PAUSE: return 0x13;
        case SDLK_SPACE: return 0x20;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return 0x25;
        case SDLK_UP: return 0x26;
        case SDLK_RIGHT: return 0x27;
        case SDLK_DOWN: return 0x28;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        default: return 0;
    }
}

void report_size(std::deque<MSG>& q, Window* w, WPARAM kind, int width, int height) {
    if (width == w->reported_width && height == w->reported_height) return;
    w->reported_width = width;
    w->reported_height = height;
    post(q, w, WM_SIZE, kind, MAKELPARAM(width, height));
}

void report_activation(std::deque<MSG>& q, Window* w, WORD state, bool minimised) {
    int code = state | (minimised ? 0x10000 : 0);
    if (code == w->reported_active) return;
    w->reported_active = code;
    post(q, w, WM_ACTIVATE, MAKEWPARAM(state, minimised ? 1 : 0), 0);
}

void translate_window_event(std::deque<MSG>& q, const SDL_WindowEvent& e) {
    Window* w = window_from_sdl_id(e.windowID);
    if (!w) return;
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE:
            post(q, w, WM_SYSCOMMAND, 0xF060, 0);  // the close command
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            report_size(q, w, SIZE_RESTORED, e.data1, e.data2);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            report_activation(q, w, WA_INACTIVE, true);
            report_size(q, w, SIZE_MINIMIZED, 0, 0);
            break;
        case SDL_WINDOWEVENT_RESTORED: {
            int width, height;
            SDL_GetWindowSize(w->sdl, &width, &height);
            report_activation(q, w, WA_ACTIVE, false);
            report_size(q, w, SIZE_RESTORED, width, height);
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            report_activation(q, w, WA_ACTIVE, false);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            report_activation(q, w, WA_INACTIVE, false);
            break;
        default:
            break;
    }
}

}  // namespace

void translate_window_events(std::deque<MSG>& q) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_WINDOWEVENT) {
            translate_window_event(q, e.window);
        } else if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
            Window* w = window_from_sdl_id(e.key.windowID);
            if (!w) w = window_from(focus);
            WPARAM vk = virtual_key(e.key.keysym.sym);
            if (!w || !vk) continue;
            // Repeat count 1, the scan code, and the previous-state bit for repeats and releases.
            uint32_t bits = 1u | ((uint32_t)(e.key.keysym.scancode & 0xFF) << 16);
            if (e.type == SDL_KEYUP) bits |= 0xC0000000u;
            else if (e.key.repeat) bits |= 0x40000000u;
            post(q, w, e.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, vk, (LPARAM)bits);
        }
        // SDL_QUIT follows the last window's close event, which already asked to close.
    }
}

}  // namespace platform
