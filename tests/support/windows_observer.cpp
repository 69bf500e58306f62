// On Windows the tests' view of the platform (platform/scripted.h) is Windows
// itself, observed: message boxes are really made, read through a hook once
// they are set up and answered before they show; GL contexts are real WGL ones. Only what
// the libraries' suites use is here.
#ifdef _WIN32
#include <windows.h>

#include <deque>

#include "platform/scripted.h"

namespace {

std::vector<scripted::MessageBox> boxes;
std::deque<int> answers;
HHOOK hook = nullptr;

// The box's icon, by the system icon its icon control shows.
UINT icon_style(HWND dialog) {
    const struct {
        LPCSTR icon;
        UINT style;
    } icons[] = {{IDI_HAND, MB_ICONERROR},
                 {IDI_EXCLAMATION, MB_ICONWARNING},
                 {IDI_ASTERISK, MB_ICONINFORMATION},
                 {IDI_QUESTION, MB_ICONQUESTION}};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) != SS_ICON || !(style & WS_VISIBLE)) continue;
        HICON shown = (HICON)SendMessageA(child, STM_GETICON, 0, 0);
        for (const auto& i : icons)
            if (shown && shown == LoadIconA(nullptr, i.icon)) return i.style;
    }
    return 0;
}

// Runs after each message a window of this thread has handled: once a message
// box has set itself up, it is read and ended before it is ever shown.
LRESULT CALLBACK after_message(int code, WPARAM wParam, LPARAM lParam) {
    const CWPRETSTRUCT* call = (const CWPRETSTRUCT*)lParam;
    char class_name[16] = {};
    HWND text_control = nullptr;
    if (code == HC_ACTION && call->message == WM_INITDIALOG && GetClassNameA(call->hwnd, class_name, sizeof class_name) &&
        strcmp(class_name, "#32770") == 0 && (text_control = GetDlgItem(call->hwnd, 0xFFFF))) {
        HWND dialog = call->hwnd;
        scripted::MessageBox box;
        char text[4096] = {}, caption[256] = {};
        GetWindowTextA(text_control, text, sizeof text);
        GetWindowTextA(dialog, caption, sizeof caption);
        box.text = text;
        box.caption = caption;
        bool question = GetDlgItem(dialog, IDYES) != nullptr;
        box.style = (question ? MB_YESNO : MB_OK) | icon_style(dialog);
        box.owner = GetWindow(dialog, GW_OWNER);
        boxes.push_back(box);
        int answer = question ? IDYES : IDOK;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        EndDialog(dialog, answer);
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

namespace scripted {

void reset() {
    if (!hook) hook = SetWindowsHookExA(WH_CALLWNDPROCRET, after_message, nullptr, GetCurrentThreadId());
    boxes.clear();
    answers.clear();
}

void answer_next_message_box(int answer) { answers.push_back(answer); }

const std::vector<MessageBox>& message_boxes() { return boxes; }

bool open_gl_context(int width, int height) {
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QoTestGL";
    RegisterClassA(&wc);  // already there on a second call
    HWND window = CreateWindowExA(0, "QoTestGL", "qo test", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    HDC dc = window ? GetDC(window) : nullptr;
    if (!dc) return false;
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    int format = ChoosePixelFormat(dc, &pfd);
    HGLRC rc = format && SetPixelFormat(dc, format, &pfd) ? wglCreateContext(dc) : nullptr;
    if (!rc || !wglMakeCurrent(dc, rc)) return false;
    ShowWindow(window, SW_SHOWNOACTIVATE);  // a mapped window, so its pixels can be read back
    return true;
}

}  // namespace scripted

#endif
