#include "platform/window_classes.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace platform {

namespace {

struct WindowClass {
    std::string name;
    WNDCLASSA wc;
};

std::vector<WindowClass> classes;

}  // namespace

const WNDCLASSA* find_class(const char* name) {
    for (const WindowClass& c : classes)
        if (c.name == name) return &c.wc;
    return nullptr;
}

void frame_insets(DWORD style, int& left, int& top, int& right, int& bottom) {
    const DWORD caption = 0x00C00000u, thick_frame = 0x00040000u;
    left = top = right = bottom = 0;
    if (style & thick_frame) left = top = right = bottom = 4;
    if ((style & caption) == caption) top += 19;
}

}  // namespace platform

using namespace platform;

ATOM RegisterClassA(const WNDCLASSA* wc) {
    if (step_fails(platform::kRegisterClass)) return 0;
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || find_class(wc->lpszClassName)) return 0;
    classes.push_back(WindowClass{wc->lpszClassName, *wc});
    return (ATOM)(0xC000 + classes.size());
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    if (step_fails(platform::kUnregisterClass) || !className) return FALSE;
    auto it = std::find_if(classes.begin(), classes.end(), [&](const WindowClass& c) { return c.name == className; });
    if (it == classes.end()) return FALSE;
    if (class_in_use(className)) return FALSE;
    classes.erase(it);
    return TRUE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD) {
    if (!rect) return FALSE;
    int left, top, right, bottom;
    frame_insets(style, left, top, right, bottom);
    rect->left -= left;
    rect->top -= top;
    rect->right += right;
    rect->bottom += bottom;
    return TRUE;
}

// Resources: the program module, and icons and cursors by their names.
HINSTANCE GetModuleHandleA(LPCSTR name) {
    static char module;  // any stable non-null address names the program module
    return name ? nullptr : reinterpret_cast<HINSTANCE>(&module);
}

HICON LoadIconA(HINSTANCE, LPCSTR name) { return reinterpret_cast<HICON>(const_cast<char*>(name)); }

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name) { return reinterpret_cast<HCURSOR>(const_cast<char*>(name)); }
