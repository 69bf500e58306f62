// The window procedure: activation, screen-saver and power commands, close
// requests, key presses and size changes; everything else goes to the default.
#include "window/gl_window.h"

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            active = HIWORD(wParam) == 0;  // the minimised flag; the activation state is not looked at
            return 0;
        case WM_SYSCOMMAND:
            // The whole parameter, unmasked: only these exact values are swallowed.
            if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
            break;
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        case WM_KEYDOWN:
            keys[wParam & 0xFF] = true;  // virtual-key codes are below 256
            return 0;
        case WM_SIZE:
            ReSizeGLScene(LOWORD(lParam), HIWORD(lParam));
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
