// Releasing everything the window holds, in the reverse order of acquisition.
// A failing step is reported and the release goes on.
#include "window/gl_window.h"

static void report(const char* text) { MessageBoxA(nullptr, text, "SHUTDOWN ERROR", MB_OK | MB_ICONINFORMATION); }

void KillGLWindow(void) {
    if (fullscreen) {
        ChangeDisplaySettingsA(nullptr, 0);
        ShowCursor(TRUE);
    }
    if (hRC) {
        if (!wglMakeCurrent(nullptr, nullptr)) report("Release Of DC And RC Failed.");
        if (!wglDeleteContext(hRC)) report("Release Rendering Context Failed.");
        hRC = nullptr;
    }
    if (hDC && !ReleaseDC(hWnd, hDC)) {
        report("Release Device Context Failed.");
        hDC = nullptr;
    }
    if (hWnd && !DestroyWindow(hWnd)) {
        report("Could Not Release hWnd.");
        hWnd = nullptr;
    }
    if (!UnregisterClassA("OpenGL", hInstance)) {
        report("Could Not Unregister Class.");
        hInstance = nullptr;
    }
}
