// Window classes and the frame around a window's client area: the part of
// the window system that needs no display, shared by the stand-ins.
#ifndef QO_PLATFORM_WINDOW_CLASSES_H
#define QO_PLATFORM_WINDOW_CLASSES_H

#include "platform/win32.h"

namespace platform {

// The class registered under this name, or null.
const WNDCLASSA* find_class(const char* name);

// True while a window of the named class exists; each stand-in knows its windows.
bool class_in_use(const char* name);

// The frame the platform draws around a client area, for the window styles used.
void frame_insets(DWORD style, int& left, int& top, int& right, int& bottom);

}  // namespace platform

#endif
