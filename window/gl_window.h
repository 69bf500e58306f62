// The one window, its full-screen display mode and its GL context.
#ifndef QO_WINDOW_GL_WINDOW_H
#define QO_WINDOW_GL_WINDOW_H

#include "platform/win32.h"

extern bool keys[256];  // key-down flags by virtual-key code; never cleared
extern bool active;     // false while the window is minimised
extern bool fullscreen; // the display mode was changed for the window
extern HDC hDC;
extern HGLRC hRC;
extern HWND hWnd;
extern HINSTANCE hInstance;

bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag);
void KillGLWindow(void);
void ReSizeGLScene(int width, int height);
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
