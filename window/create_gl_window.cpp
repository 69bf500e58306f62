// Opening the window: class, optional full-screen display mode, window,
// device context, pixel format and a current GL context.
#include <string.h>

#include "window/gl_window.h"

static PIXELFORMATDESCRIPTOR pfd;
static bool pfd_completed = false;  // the colour depth is that of the first call to get this far

static void complete_pixel_format(int bits) {
    memset(&pfd, 0, sizeof pfd);
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = (BYTE)bits;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    pfd_completed = true;
}

// Releases what was acquired, then reports.
static bool fail(const char* text) {
    KillGLWindow();
    MessageBoxA(nullptr, text, "ERROR", MB_OK | MB_ICONWARNING);
    return false;
}

bool CreateGLWindow(const char* title, int width, int height, int bits, bool fullscreenflag) {
    RECT rect;
    rect.left = 0;
    rect.top = 0;
    rect.right = width;
    rect.bottom = height;
    fullscreen = fullscreenflag;
    hInstance = GetModuleHandleA(nullptr);

    WNDCLASSA wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = WindowProcedure;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = "OpenGL";
    if (!RegisterClassA(&wc)) {
        MessageBoxA(nullptr, "Failed To Register The Window Class.", "ERROR", MB_OK | MB_ICONWARNING);
        return false;
    }

    if (fullscreen) {
        DEVMODEA settings;
        memset(&settings, 0, sizeof settings);
        settings.dmSize = sizeof settings;
        settings.dmPelsWidth = (DWORD)width;
        settings.dmPelsHeight = (DWORD)height;
        settings.dmBitsPerPel = (DWORD)bits;
        settings.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsA(&settings, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            if (MessageBoxA(nullptr,
                            "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
                            "Instead?",
                            "Zubo GL", MB_YESNO | MB_ICONWARNING) == IDYES) {
                fullscreen = false;
            } else {
                MessageBoxA(nullptr, "Program Will Now Close.", "ERROR", MB_OK | MB_ICONERROR);
                return false;
            }
        }
    }

    DWORD exStyle, style;
    if (fullscreen) {
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    } else {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);

    hWnd = CreateWindowExA(exStyle, "OpenGL", title, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, hInstance, nullptr);
    if (!hWnd) return fail("Window Creation Error.");

    if (!pfd_completed) complete_pixel_format(bits);

    if (!(hDC = GetDC(hWnd))) return fail("Can't Create A GL Device Context.");
    int format = ChoosePixelFormat(hDC, &pfd);
    if (!format) return fail("Can't Find A Suitable PixelFormat.");
    if (!SetPixelFormat(hDC, format, &pfd)) return fail("Can't Set The PixelFormat.");
    if (!(hRC = wglCreateContext(hDC))) return fail("Can't Create A GL Rendering Context.");
    if (!wglMakeCurrent(hDC, hRC)) return fail("Can't Activate The GL Rendering Context.");

    ShowWindow(hWnd, SW_SHOW);
    SetForegroundWindow(hWnd);
    SetFocus(hWnd);
    ReSizeGLScene(width, height);
    return true;
}
