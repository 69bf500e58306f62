// Message boxes: real ones when a display can show them; otherwise the
// caption and text go to standard error and a question is answered Yes, so
// nothing ever waits for a person who is not there.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "platform/sdl_backend.h"
#include "platform/window_state.h"

namespace platform {

static bool display_can_show_boxes() {
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : getenv("SDL_VIDEODRIVER");
    if (driver && (strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0)) return false;
    return getenv("DISPLAY") || getenv("WAYLAND_DISPLAY");
}

int show_message_box(HWND owner_handle, const char* text, const char* caption, UINT type) {
    Window* owner_window = window_from(owner_handle);
    SDL_Window* owner = owner_window ? owner_window->sdl : nullptr;
    bool question = (type & 0xF) == MB_YESNO;
    if (display_can_show_boxes()) {
        SDL_MessageBoxButtonData yes_no[] = {
            {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"},
            {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"},
        };
        SDL_MessageBoxButtonData ok[] = {
            {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK, "OK"},
        };
        Uint32 icon = (type & 0xF0) == MB_ICONERROR     ? SDL_MESSAGEBOX_ERROR
                      : (type & 0xF0) == MB_ICONWARNING ? SDL_MESSAGEBOX_WARNING
                                                        : SDL_MESSAGEBOX_INFORMATION;
        SDL_MessageBoxData box{icon, owner, caption, text, question ? 2 : 1, question ? yes_no : ok, nullptr};
        int button = 0;
        if (SDL_ShowMessageBox(&box, &button) == 0 && button > 0) return button;
    }
    fprintf(stderr, "%s: %s", caption, text);
    size_t n = strlen(text);
    if (n == 0 || text[n - 1] != '\n') fputc('\n', stderr);
    return question ? IDYES : IDOK;
}

}  // namespace platform
