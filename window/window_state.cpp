// The window's process-wide state.
#include "window/gl_window.h"

bool keys[256];
bool active = true;
bool fullscreen = true;
HDC hDC = nullptr;
HGLRC hRC = nullptr;
HWND hWnd = nullptr;
HINSTANCE hInstance = nullptr;
