// Window classes, windows, device contexts, pixel formats, GL contexts and
// display settings, over SDL.
#include <GL/gl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "platform/sdl_backend.h"
#include "platform/window_classes.h"
#include "platform/window_state.h"

#ifdef QO_PLATFORM_FIXEDGL
// The variant that hosts the GL layer: its contexts are ES 2.0 ones, each
// with a context of the layer made and made current alongside it.
#include "fixedgl/fixedgl.h"
#endif

namespace platform {

std::vector<Window*> windows;
DisplayMode display;
HWND focus = nullptr;

namespace {

int cursor_count = 0;
bool headless_surface = false;  // windows are offscreen pbuffers

bool create_sdl_window(Window* w, const PIXELFORMATDESCRIPTOR* pfd) {
    SDL_GL_ResetAttributes();
    if (pfd) {
        int colour = pfd->cColorBits >= 24 ? 8 : 5;
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, colour);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, colour == 8 ? 8 : 6);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, colour);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, pfd->cDepthBits);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, pfd->cStencilBits);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (pfd->dwFlags & PFD_DOUBLEBUFFER) ? 1 : 0);
#ifdef QO_PLATFORM_FIXEDGL
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#endif
    }
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    bool popup = (w->style & WS_POPUP) != 0;
    bool go_fullscreen = popup && display.changed && display.physical;
    if (go_fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN;
    else if (popup)
        flags |= SDL_WINDOW_BORDERLESS;
    else
        flags |= SDL_WINDOW_RESIZABLE;
    w->sdl = SDL_CreateWindow(w->title.c_str(), 0, 0, w->client_width, w->client_height, flags);
    if (!w->sdl) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    headless_surface = driver && strcmp(driver, "offscreen") == 0;
    if (go_fullscreen) {
        SDL_SetWindowDisplayMode(w->sdl, &display.mode);
        w->fullscreen = true;
    }
    // What creating the window produced is not news to anyone.
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_WINDOWEVENT);
    return true;
}

// What a swap does to a window surface, done to a pbuffer through EGL: a
// fence waited on with its flush flag sends the frame's drawing on, so no
// call is added to the program's own GL stream.
void finish_headless_frame() {
    typedef void* (*GetDisplay)(void);
    typedef void* (*CreateSync)(void* display, unsigned type, const intptr_t* attributes);
    typedef int (*ClientWaitSync)(void* display, void* sync, int flags, uint64_t timeout);
    typedef unsigned (*DestroySync)(void* display, void* sync);
    const unsigned kSyncFence = 0x30F9;  // EGL_SYNC_FENCE
    const int kFlushCommands = 0x0001;   // EGL_SYNC_FLUSH_COMMANDS_BIT
    static GetDisplay get_display = (GetDisplay)SDL_GL_GetProcAddress("eglGetCurrentDisplay");
    static CreateSync create_sync = (CreateSync)SDL_GL_GetProcAddress("eglCreateSync");
    static ClientWaitSync client_wait = (ClientWaitSync)SDL_GL_GetProcAddress("eglClientWaitSync");
    static DestroySync destroy_sync = (DestroySync)SDL_GL_GetProcAddress("eglDestroySync");
    void* display = get_display ? get_display() : nullptr;
    void* sync = display && create_sync && client_wait && destroy_sync ? create_sync(display, kSyncFence, nullptr)
                                                                       : nullptr;
    if (!sync) {
        glFlush();  // an EGL without fences: the one GL call that does the same
        return;
    }
    client_wait(display, sync, kFlushCommands, 0);
    destroy_sync(display, sync);
}

}  // namespace

Window* window_from(HWND handle) {
    Window* w = reinterpret_cast<Window*>(handle);
    return std::find(windows.begin(), windows.end(), w) != windows.end() ? w : nullptr;
}

HWND handle_of(Window* window) { return reinterpret_cast<HWND>(window); }

Window* window_from_sdl_id(Uint32 id) {
    for (Window* w : windows)
        if (w->sdl && SDL_GetWindowID(w->sdl) == id) return w;
    return nullptr;
}

LRESULT send_message(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    return window->proc(handle_of(window), message, wParam, lParam);
}

void restore_display_mode() {
    for (Window* w : windows) {
        if (w->fullscreen && w->sdl) SDL_SetWindowFullscreen(w->sdl, 0);
        w->fullscreen = false;
    }
}

}  // namespace platform

using namespace platform;

namespace platform {

bool class_in_use(const char* name) {
    for (Window* w : windows)
        if (w->class_name == name) return true;
    return false;
}

}  // namespace platform

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int, int, int width,
                     int height, HWND, HMENU, HINSTANCE, LPVOID) {
    if (step_fails(platform::kCreateWindow)) return nullptr;
    const WNDCLASSA* wc = className ? find_class(className) : nullptr;
    if (!wc || !ensure_video()) return nullptr;
    int left, top, right, bottom;
    frame_insets(style, left, top, right, bottom);
    Window* w = new Window();
    w->proc = wc->lpfnWndProc;
    w->class_name = className;
    w->title = windowName ? windowName : "";
    w->style = style;
    w->ex_style = exStyle;
    w->client_width = std::max(1, width - left - right);
    w->client_height = std::max(1, height - top - bottom);
    w->dc.window = w;
    windows.push_back(w);
    record("window " + std::to_string(w->client_width) + "x" + std::to_string(w->client_height) +
           ((style & WS_POPUP) ? " popup" : " overlapped"));
    if (style & WS_POPUP) {
        // A pop-up window learns its size while it is being created, before
        // CreateWindowExA returns (an overlapped one at its first show).
        w->reported_width = w->client_width;
        w->reported_height = w->client_height;
        send_message(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width, w->client_height));
    }
    return handle_of(w);
}

BOOL DestroyWindow(HWND handle) {
    Window* w = window_from(handle);
    if (step_fails(platform::kDestroyWindow) || !w) return FALSE;
    if (focus == handle) focus = nullptr;
    if (w->sdl) SDL_DestroyWindow(w->sdl);
    windows.erase(std::find(windows.begin(), windows.end(), w));
    delete w;
    record("destroy");
    return TRUE;
}

BOOL ShowWindow(HWND handle, int) {
    Window* w = window_from(handle);
    if (!w) return FALSE;
    bool was_shown = w->shown;
    if (!w->sdl && !create_sdl_window(w, nullptr)) return FALSE;
    SDL_ShowWindow(w->sdl);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_WINDOWEVENT);
    w->shown = true;
    if (!was_shown) {
        // Showing activates the window, and gives an overlapped window its
        // first size; both are sent to the window procedure before ShowWindow
        // returns, activation first.
        w->reported_active = WA_ACTIVE;
        send_message(w, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
        if (w->reported_width < 0) {  // not sized yet
            w->reported_width = w->client_width;
            w->reported_height = w->client_height;
            send_message(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width, w->client_height));
        }
    }
    return was_shown;
}

BOOL SetForegroundWindow(HWND handle) {
    Window* w = window_from(handle);
    if (!w) return FALSE;
    if (w->sdl) SDL_RaiseWindow(w->sdl);
    return TRUE;
}

HWND SetFocus(HWND handle) {
    HWND previous = focus;
    if (window_from(handle)) focus = handle;
    return previous;
}

HWND GetFocus(void) { return window_from(focus) ? focus : nullptr; }

BOOL SetWindowTextA(HWND handle, LPCSTR text) {
    Window* w = window_from(handle);
    if (!w) return FALSE;
    w->title = text ? text : "";
    if (w->sdl) SDL_SetWindowTitle(w->sdl, w->title.c_str());
    record("title " + w->title);
    return TRUE;
}

int ShowCursor(BOOL show) {
    cursor_count += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(cursor_count >= 0 ? SDL_ENABLE : SDL_DISABLE);
    record("cursor " + std::to_string(cursor_count));
    return cursor_count;
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    if (!mode) {
        restore_display_mode();
        if (display.changed) record("display restore");
        display.changed = false;
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (step_fails(platform::kChangeDisplaySettings)) return DISP_CHANGE_BADMODE;
    if (!(flags & CDS_FULLSCREEN) || mode->dmSize != sizeof(DEVMODEA)) return DISP_CHANGE_FAILED;
    if (!ensure_video()) return DISP_CHANGE_FAILED;
    int width = (int)mode->dmPelsWidth, height = (int)mode->dmPelsHeight, bits = (int)mode->dmBitsPerPel;
    if (bits > 32 || width <= 0 || height <= 0) return DISP_CHANGE_BADMODE;

    // A driver without a physical display (offscreen, dummy) lists no real
    // modes: there is nothing to switch, and any size is granted.
    int count = SDL_GetNumDisplayModes(0);
    bool physical = false, found = false;
    SDL_DisplayMode chosen{};
    for (int i = 0; i < count; i++) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(0, i, &m) != 0 || m.w <= 0 || m.h <= 0) continue;
        physical = true;
        if (m.w == width && m.h == height && (!found || m.refresh_rate > chosen.refresh_rate)) {
            chosen = m;
            found = true;
        }
    }
    if (physical && !found) return DISP_CHANGE_BADMODE;
    display.changed = true;
    display.width = width;
    display.height = height;
    display.bits = bits;
    display.physical = physical;
    display.mode = chosen;
    record("display " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits));
    return DISP_CHANGE_SUCCESSFUL;
}

HDC GetDC(HWND handle) {
    Window* w = window_from(handle);
    if (step_fails(platform::kGetDC) || !w) return nullptr;
    return reinterpret_cast<HDC>(&w->dc);  // class style CS_OWNDC: one DC for the window's life
}

static Window* window_of(HDC dc) {
    for (Window* w : windows)
        if (dc && reinterpret_cast<HDC>(&w->dc) == dc) return w;
    return nullptr;
}

int ReleaseDC(HWND handle, HDC dc) {
    if (step_fails(platform::kReleaseDC) || !window_from(handle) || window_of(dc) != window_from(handle)) return 0;
    return 1;
}

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) {
    if (step_fails(platform::kChoosePixelFormat) || !window_of(dc) || !pfd) return 0;
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((pfd->dwFlags & needed) != needed || pfd->iPixelType != PFD_TYPE_RGBA) return 0;
    char line[96];
    snprintf(line, sizeof line, "pixelformat flags=0x%X colour=%d depth=%d", (unsigned)pfd->dwFlags, pfd->cColorBits,
             pfd->cDepthBits);
    record(line);
    return 1;  // the one format: RGBA, double buffered, with the depth buffer asked for
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd) {
    Window* w = window_of(dc);
    if (step_fails(platform::kSetPixelFormat) || !w || format != 1 || !pfd) return FALSE;
    if (w->pixel_format) return w->pixel_format == format;  // a window's format is set once
    if (w->sdl) {
        // Shown before its format was set: make it again with the format.
        SDL_DestroyWindow(w->sdl);
        w->sdl = nullptr;
    }
    if (!create_sdl_window(w, pfd)) return FALSE;
    if (w->shown) SDL_ShowWindow(w->sdl);
    w->pixel_format = format;
    return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
    Window* w = window_of(dc);
    if (step_fails(platform::kCreateContext) || !w || !w->sdl || !w->pixel_format) return nullptr;
    SDL_Window* previous_window = SDL_GL_GetCurrentWindow();
    SDL_GLContext previous = SDL_GL_GetCurrentContext();
    SDL_GLContext gl = SDL_GL_CreateContext(w->sdl);
    if (!gl) return nullptr;
#ifdef QO_PLATFORM_FIXEDGL
    // The layer's objects are made on the new context, current for now.
    FixedglContext* layer = fixedgl_load_es2(SDL_GL_GetProcAddress) ? fixedgl_create_context() : nullptr;
    if (!layer) {
        SDL_GL_DeleteContext(gl);
        if (previous) SDL_GL_MakeCurrent(previous_window, previous);
        return nullptr;
    }
#endif
    // Creating a context does not make it current here.
    if (previous)
        SDL_GL_MakeCurrent(previous_window, previous);
    else
        SDL_GL_MakeCurrent(w->sdl, nullptr);
#ifdef QO_PLATFORM_FIXEDGL
    return reinterpret_cast<HGLRC>(new GLContext{gl, w, layer});
#else
    return reinterpret_cast<HGLRC>(new GLContext{gl, w});
#endif
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc) {
    if (!rc) {
        if (step_fails(platform::kReleaseCurrent)) return FALSE;
        if (SDL_GL_GetCurrentContext()) SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
#ifdef QO_PLATFORM_FIXEDGL
        fixedgl_make_current(nullptr);
#endif
        return TRUE;
    }
    Window* w = window_of(dc);
    if (step_fails(platform::kMakeCurrent) || !w || !w->sdl) return FALSE;
    if (SDL_GL_MakeCurrent(w->sdl, reinterpret_cast<GLContext*>(rc)->gl) != 0) return FALSE;
#ifdef QO_PLATFORM_FIXEDGL
    fixedgl_make_current(reinterpret_cast<GLContext*>(rc)->layer);
#endif
    return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
    if (step_fails(platform::kDeleteContext) || !rc) return FALSE;
    GLContext* context = reinterpret_cast<GLContext*>(rc);
#ifdef QO_PLATFORM_FIXEDGL
    fixedgl_delete_context(context->layer);  // its ES 2 objects go with the context if it is not current
#endif
    SDL_GL_DeleteContext(context->gl);
    delete context;
    return TRUE;
}

BOOL SwapBuffers(HDC dc) {
    Window* w = window_of(dc);
    if (!w || !w->sdl) return FALSE;
#ifdef QO_PLATFORM_FIXEDGL
    fixedgl_flush();  // the layer's last batch goes out before the frame is looked at
#endif
    before_present();
    // Swapping a window's buffers finishes the frame's drawing. The offscreen
    // driver's surface is a pbuffer, whose swap does nothing at all, so the
    // frame is finished here instead, below GL as a swap does it; otherwise the
    // driver keeps queueing frames.
    if (headless_surface) finish_headless_frame();
    SDL_GL_SwapWindow(w->sdl);
    return TRUE;
}
