// What the SDL-based backends (sdl/ and scripted/) add to backend.h, and the
// helpers their shared part implements once for both.
#ifndef QO_PLATFORM_SDL_BACKEND_H
#define QO_PLATFORM_SDL_BACKEND_H

#include <deque>

#include "platform/backend.h"

namespace platform {

// The SDL video driver the backend insists on, or null for SDL's own choice.
const char* forced_video_driver();

// Installs what gives the display mode and the sound device back however the
// process ends; called once, before the first SDL subsystem starts.
void install_process_cleanup();

// Releases the sound device (real backend) at the end of the process.
void release_media();

// Shared helpers, implemented once for both backends.
void ensure_cleanup();        // the process cleanup is installed (once)
bool ensure_video();          // SDL's video subsystem is up (and cleanup installed)
void release_everything();    // display mode back, windows gone, sound released, SDL down
void translate_window_events(std::deque<MSG>& queue);  // SDL events -> window messages

}  // namespace platform

#endif
