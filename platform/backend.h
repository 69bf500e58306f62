// What the shared part of the platform layer (windows, contexts, the message
// queue) asks of a backend. Two backends implement it: sdl/ for the real
// program and scripted/ for tests.
#ifndef QO_PLATFORM_BACKEND_H
#define QO_PLATFORM_BACKEND_H

#include <deque>
#include <string>

#include "platform/scripted.h"
#include "platform/win32.h"

struct SDL_Window;

namespace platform {

// True when the test has made this window-system step fail (never in the real backend).
bool step_fails(scripted::Step step);

// Adds the messages the backend has for the queue beyond the window system's
// own events (scripted messages; nothing in the real backend).
void pump_backend_messages(std::deque<MSG>& queue);

// Records an observable action (scripted journal; nothing in the real backend).
void record(const std::string& line);

// Shows a modal message box owned by `owner` (may be null) and returns the button chosen.
int show_message_box(HWND owner, SDL_Window* owner_window, const char* text, const char* caption, UINT type);

// Called inside SwapBuffers just before the buffers are exchanged.
void before_present();

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
