// Device contexts, the one pixel format, and GL contexts: a WebGL 1 context
// on the page's canvas, with the GL layer's context on top of it.
#include <emscripten/html5_webgl.h>

#include "fixedgl/fixedgl.h"
#include "platform/web/presenting.h"
#include "platform/web/web_state.h"

namespace web {

Window* window_of(HDC dc) {
    for (Window* w : windows)
        if (dc && reinterpret_cast<HDC>(&w->dc) == dc) return w;
    return nullptr;
}

}  // namespace web

using namespace web;

HDC GetDC(HWND handle) {
    Window* w = window_from(handle);
    return w ? reinterpret_cast<HDC>(&w->dc) : nullptr;  // class style CS_OWNDC: one DC for the window's life
}

int ReleaseDC(HWND handle, HDC dc) { return window_from(handle) && window_of(dc) == window_from(handle) ? 1 : 0; }

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd) {
    if (!window_of(dc) || !pfd) return 0;
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((pfd->dwFlags & needed) != needed || pfd->iPixelType != PFD_TYPE_RGBA) return 0;
    return 1;  // the one format: RGBA, double buffered, with a depth buffer
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd) {
    Window* w = window_of(dc);
    if (!w || format != 1 || !pfd) return FALSE;
    if (w->pixel_format) return w->pixel_format == format;  // a window's format is set once
    w->pixel_format = format;
    return TRUE;
}

HGLRC wglCreateContext(HDC dc) {
    Window* w = window_of(dc);
    if (!w || !w->pixel_format) return nullptr;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;  // the window is opaque, whatever alpha the scene clears to
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;  // the picture stays for saving and reading back
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl = emscripten_webgl_create_context("#qo", &attributes);
    if (webgl <= 0) return nullptr;
    // Creating a context does not make it current.
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE previous = emscripten_webgl_get_current_context();
    emscripten_webgl_make_context_current(webgl);
    FixedglContext* layer = fixedgl_create_context();
    emscripten_webgl_make_context_current(previous);
    if (!layer) {
        emscripten_webgl_destroy_context(webgl);
        return nullptr;
    }
    return reinterpret_cast<HGLRC>(new GLContext{webgl, layer});
}

BOOL wglMakeCurrent(HDC dc, HGLRC rc) {
    if (!rc) {
        fixedgl_make_current(nullptr);
        emscripten_webgl_make_context_current(0);
        return TRUE;
    }
    GLContext* context = reinterpret_cast<GLContext*>(rc);
    if (!window_of(dc) || emscripten_webgl_make_context_current(context->webgl) != EMSCRIPTEN_RESULT_SUCCESS)
        return FALSE;
    fixedgl_make_current(context->layer);
    apply_discard();
    return TRUE;
}

BOOL wglDeleteContext(HGLRC rc) {
    if (!rc) return FALSE;
    GLContext* context = reinterpret_cast<GLContext*>(rc);
    if (emscripten_webgl_get_current_context() == context->webgl) wglMakeCurrent(nullptr, nullptr);
    // The layer's objects live in the WebGL context and go with it.
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE previous = emscripten_webgl_get_current_context();
    emscripten_webgl_make_context_current(context->webgl);
    fixedgl_delete_context(context->layer);
    emscripten_webgl_make_context_current(previous);
    emscripten_webgl_destroy_context(context->webgl);
    delete context;
    return TRUE;
}

BOOL SwapBuffers(HDC dc) {
    if (!window_of(dc)) return FALSE;
    present_frame();
    return TRUE;
}
