// A program on the web platform alone, for the browser tests: one pop-up
// window whose procedure writes every message it hears into the page's log
// (Module.log), and the plain message loop, until the page sets Module.end.
#include <emscripten/emscripten.h>
#include <stdio.h>

#include "platform/win32.h"

EM_JS(void, probe_log, (const char* line), { Module.log.push(UTF8ToString(line)); });
EM_JS(int, probe_asked_to_end, (), { return Module.end ? 1 : 0; });

static const char* message_name(UINT message) {
    switch (message) {
        case WM_SIZE: return "WM_SIZE";
        case WM_ACTIVATE: return "WM_ACTIVATE";
        case WM_CLOSE: return "WM_CLOSE";
        case WM_KEYDOWN: return "WM_KEYDOWN";
        case WM_KEYUP: return "WM_KEYUP";
        case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
        default: return "other";
    }
}

static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char line[80];
    snprintf(line, sizeof line, "%s 0x%X 0x%X", message_name(message), (unsigned)wParam, (unsigned)lParam);
    probe_log(line);
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.lpszClassName = "Probe";
    RegisterClassA(&wc);
    probe_log("create");
    HWND window = CreateWindowExA(WS_EX_APPWINDOW, "Probe", "Probe", WS_POPUP, 0, 0, 1024, 768, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    probe_log("show");
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    SetWindowTextA(window, "A");
    SetWindowTextA(window, "A");
    SetWindowTextA(window, "B");
    probe_log("loop");
    MSG msg;
    bool closing = false;
    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }
        if (!closing && probe_asked_to_end()) {
            closing = true;
            DefWindowProcA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close button
        }
    }
    probe_log("quit");
    return 0;
}
