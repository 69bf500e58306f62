// Bringing SDL up once, and taking everything down however the process ends.
#include <stdlib.h>

#include "platform/backend.h"
#include "platform/window_state.h"

namespace platform {

void ensure_cleanup() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // our own cleanup handles signals
    install_process_cleanup();
}

bool ensure_video() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    ensure_cleanup();
    if (const char* driver = forced_video_driver()) SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

void release_everything() {
    static bool released = false;
    if (released) return;
    released = true;
    restore_display_mode();
    release_media();
    SDL_Quit();
}

}  // namespace platform
