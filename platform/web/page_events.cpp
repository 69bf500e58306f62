// The page's events, turned into the window messages the original platform
// sends: keys with virtual-key codes, a hidden page as a minimised window,
// and leaving the full screen the run was shown in as the Escape key.
#include <emscripten/html5.h>

#include "platform/web/web_state.h"

namespace web {

namespace {

bool was_fullscreen = false;  // the run has been shown full screen

// The virtual-key code of a key, or 0 for keys without one here: letters,
// digits, F1 to F12, and the named keys below. The browser's keyCode is the
// virtual-key code itself for these keys.
WPARAM virtual_key(unsigned long code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) return code;
    if (code >= 0x70 && code <= 0x7B) return code;  // F1 to F12
    switch (code) {
        case VK_ESCAPE:  // Escape
        case 0x08:       // Backspace
        case 0x09:       // Tab
        case 0x0D:       // Enter
        case 0x10:       // Shift
        case 0x11:       // Control
        case 0x12:       // Alt
        case 0x13:       // Pause
        case 0x20:       // Space
        case 0x21:       // Page Up
        case 0x22:       // Page Down
        case 0x23:       // End
        case 0x24:       // Home
        case 0x25:       // Left
        case 0x26:       // Up
        case 0x27:       // Right
        case 0x28:       // Down
        case 0x2D:       // Insert
        case 0x2E:       // Delete
            return code;
        default:
            return 0;
    }
}

EM_BOOL on_key(int type, const EmscriptenKeyboardEvent* e, void*) {
    Window* w = event_window();
    WPARAM vk = virtual_key(e->keyCode);
    if (!w || !vk) return EM_FALSE;
    // Repeat count 1, and the previous-state bit for repeats and releases.
    uint32_t bits = 1u;
    if (type == EMSCRIPTEN_EVENT_KEYUP) bits |= 0xC0000000u;
    else if (e->repeat) bits |= 0x40000000u;
    post(w, type == EMSCRIPTEN_EVENT_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, vk, (LPARAM)bits);
    return EM_FALSE;  // the browser keeps its own keys (reload, leaving full screen)
}

EM_BOOL on_visibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    if (Window* w = event_window()) {
        if (e->hidden) report_activation(w, WA_INACTIVE, true);
        else report_activation(w, WA_ACTIVE, false);
    }
    return EM_FALSE;
}

EM_BOOL on_fullscreen(int, const EmscriptenFullscreenChangeEvent* e, void*) {
    if (e->isFullscreen) {
        was_fullscreen = true;
    } else if (was_fullscreen) {
        was_fullscreen = false;
        if (Window* w = event_window()) post(w, WM_KEYDOWN, VK_ESCAPE, 1);
    }
    return EM_FALSE;
}

}  // namespace

void listen_to_page() {
    static bool listening = false;
    if (listening) return;
    listening = true;
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_FALSE, on_key);
    emscripten_set_keyup_callback(window, nullptr, EM_FALSE, on_key);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, on_visibility);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, on_fullscreen);
    // The page may have gone full screen before the run began.
    EmscriptenFullscreenChangeEvent status;
    if (emscripten_get_fullscreen_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.isFullscreen)
        was_fullscreen = true;
}

}  // namespace web
