// What the shared part of the platform layer asks of a backend. Three
// backends implement it: sdl/ for the real program, scripted/ for tests and
// web/ in the browser. sdl_backend.h adds what the two SDL-based ones share.
#ifndef QO_PLATFORM_BACKEND_H
#define QO_PLATFORM_BACKEND_H

#include <deque>
#include <string>

#include "platform/win32.h"

namespace platform {

// The window-system steps a backend may refuse: the test backend refuses
// them when a test asks it to, the others never do.
enum WindowStep {
    kRegisterClass,
    kChangeDisplaySettings,
    kCreateWindow,
    kGetDC,
    kChoosePixelFormat,
    kSetPixelFormat,
    kCreateContext,
    kMakeCurrent,     // wglMakeCurrent with a context
    kReleaseCurrent,  // wglMakeCurrent(null, null)
    kDeleteContext,
    kReleaseDC,
    kDestroyWindow,
    kUnregisterClass,
    kStepCount
};

// True when the backend refuses this step.
bool step_fails(WindowStep step);

// Adds the messages the backend has for the queue beyond the window system's
// own events (a test's scripted messages, a request to terminate).
void pump_backend_messages(std::deque<MSG>& queue);

// Records an observable action (a title, a box, a media command), for a
// backend that keeps account of them; the others ignore it.
void record(const std::string& line);

// Shows a modal message box owned by `owner` (a window, or null) and returns
// the button chosen.
int show_message_box(HWND owner, const char* text, const char* caption, UINT type);

// Called inside SwapBuffers just before the buffers are exchanged.
void before_present();

}  // namespace platform

#endif
