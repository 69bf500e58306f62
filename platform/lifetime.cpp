// Bringing SDL up once, and taking everything down however the process ends.
#include <stdlib.h>

#include "platform/sdl_backend.h"
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
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // The GL library stays loaded from here on, as a system's GL does once a
    // program has used it, instead of going with the last GL window.
    SDL_GL_LoadLibrary(nullptr);
    return true;
}

// What the system gives back by itself when a process ends: the desktop's
// display mode and the sound device. The rest (windows, contexts, the
// display connection) goes with the process, as it does there; the GL
// driver stays loaded until then.
void release_everything() {
    static bool released = false;
    if (released) return;
    released = true;
    restore_display_mode();
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_PumpEvents();  // the mode request sent on its way to the display
    release_media();
}

}  // namespace platform
