// When a window's procedure hears of its size and activation, what closing it
// sends, and what a GL context's creation leaves current. The same tests run
// against our platform layer on Linux and against Windows itself (under Wine).
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

// What the procedure under test heard, with the size or activation it carried.
std::vector<std::string> heard;

LRESULT CALLBACK recording_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            heard.push_back("size " + std::to_string(LOWORD(lParam)) + "x" + std::to_string(HIWORD(lParam)));
            return 0;
        case WM_ACTIVATE:
            heard.push_back("activate " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
            return 0;
        case WM_CLOSE:
            heard.push_back("close");
            PostQuitMessage(7);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the recording class with a client area of 320 x 240.
class Window : public ::testing::Test {
protected:
    void SetUp() override {
        heard.clear();
        WNDCLASSA wc;
        memset(&wc, 0, sizeof wc);
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        wc.lpfnWndProc = recording_procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QoRecording";
        ASSERT_NE(RegisterClassA(&wc), 0);
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        drain();
        UnregisterClassA("QoRecording", GetModuleHandleA(nullptr));
    }
    void create(DWORD style, DWORD exStyle) {
        RECT rect = {0, 0, 320, 240};
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
        window = CreateWindowExA(exStyle, "QoRecording", "qo", style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                 rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    // Dispatches what waits in the queue; true when a quit message came, its code in *code.
    bool drain(int* code = nullptr) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                if (code) *code = (int)msg.wParam;
                return true;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return false;
    }
    HWND window = nullptr;
};

TEST_F(Window, PopupLearnsItsSizeWhileCreatedAndItsActivationWhenShown) {
    create(WS_POPUP, WS_EX_APPWINDOW);
    EXPECT_EQ(heard, std::vector<std::string>{"size 320x240"});  // before any GL context can exist
    heard.clear();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    EXPECT_EQ(heard, std::vector<std::string>{"activate 1 0"});
    heard.clear();
    drain();
    EXPECT_EQ(heard, std::vector<std::string>{}) << "nothing waits to resize the window later";
}

TEST_F(Window, OverlappedLearnsItsActivationThenItsSizeWhenShown) {
    create(WS_OVERLAPPEDWINDOW, WS_EX_APPWINDOW | WS_EX_WINDOWEDGE);
    EXPECT_EQ(heard, std::vector<std::string>{});
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(heard, (std::vector<std::string>{"activate 1 0", "size 320x240"}));
    heard.clear();
    drain();
    EXPECT_EQ(heard, std::vector<std::string>{});
}

TEST_F(Window, CloseCommandSendsCloseAndTheQuitMessageComesLast) {
    create(WS_POPUP, WS_EX_APPWINDOW);
    ShowWindow(window, SW_SHOW);
    drain();
    heard.clear();
    DefWindowProcA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(heard, std::vector<std::string>{"close"});  // sent, not posted
    int code = -1;
    EXPECT_TRUE(drain(&code));
    EXPECT_EQ(code, 7);
    EXPECT_NE(DestroyWindow(window), 0) << "closing is the procedure's business: the window is still there";
    window = nullptr;
}

TEST_F(Window, ContextIsCurrentOnlyOnceMadeCurrent) {
    create(WS_POPUP, WS_EX_APPWINDOW);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    PIXELFORMATDESCRIPTOR pfd;
    memset(&pfd, 0, sizeof pfd);
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    int format = ChoosePixelFormat(dc, &pfd);
    ASSERT_NE(format, 0);
    ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
    HGLRC rc = wglCreateContext(dc);
    ASSERT_NE(rc, nullptr);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "creating a context does not make it current";
    ASSERT_TRUE(wglMakeCurrent(dc, rc));
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    GLint depth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_GE(depth, 16);
    EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
    EXPECT_EQ(glGetString(GL_VERSION), nullptr);
    EXPECT_TRUE(wglDeleteContext(rc));
    EXPECT_EQ(ReleaseDC(window, dc), 1);
}

}  // namespace
