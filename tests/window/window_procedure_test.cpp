// The window procedure's table.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/scripted.h"
#include "window/gl_window.h"

namespace {

class WindowProcedureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scripted::open_gl_context(64, 64));
        scripted::reset();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    bool passed_on(const std::string& line) {
        std::vector<std::string> d = scripted::journal_lines("default ");
        return std::find(d.begin(), d.end(), line) != d.end();
    }
};

TEST_F(WindowProcedureTest, ActivationFollowsOnlyTheMinimisedFlag) {
    EXPECT_EQ(WindowProcedure(nullptr, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0), 0);
    EXPECT_FALSE(active);
    EXPECT_EQ(WindowProcedure(nullptr, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0), 0);
    EXPECT_TRUE(active);  // deactivated but not minimised
    EXPECT_TRUE(scripted::journal_lines("default ").empty());
}

TEST_F(WindowProcedureTest, OnlyExactScreenSaverAndPowerCommandsAreSwallowed) {
    EXPECT_EQ(WindowProcedure(nullptr, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
    EXPECT_EQ(WindowProcedure(nullptr, WM_SYSCOMMAND, SC_MONITORPOWER, 0), 0);
    EXPECT_TRUE(scripted::journal_lines("default ").empty());
    HWND window = nullptr;
    // The default procedure only hears of messages for a real window.
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProcedure;
    wc.lpszClassName = "ProcedureTest";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, "ProcedureTest", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    WindowProcedure(window, WM_SYSCOMMAND, SC_SCREENSAVE + 1, 0);  // 0xF141: low bits are not masked
    EXPECT_TRUE(passed_on("0x112 0xF141"));
    WindowProcedure(window, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(passed_on("0x101 0x1B"));
    DestroyWindow(window);
    UnregisterClassA("ProcedureTest", nullptr);
}

TEST_F(WindowProcedureTest, CloseAsksToQuitWithoutDestroying) {
    EXPECT_EQ(WindowProcedure(nullptr, WM_CLOSE, 0, 0), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_TRUE(scripted::journal_lines("destroy").empty());
}

TEST_F(WindowProcedureTest, KeysStaySetAfterRelease) {
    keys[VK_ESCAPE] = false;
    EXPECT_EQ(WindowProcedure(nullptr, WM_KEYDOWN, VK_ESCAPE, 0), 0);
    WindowProcedure(nullptr, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(keys[VK_ESCAPE]);
    EXPECT_FALSE(keys[(unsigned char)'A']);
}

TEST_F(WindowProcedureTest, SizeResetsViewportAndMatrices) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    EXPECT_EQ(WindowProcedure(nullptr, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 0)), 0);
    GLint vp[4], mode;
    glGetIntegerv(GL_VIEWPORT, vp);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(vp[2], 640);
    EXPECT_EQ(vp[3], 1);  // a height of 0 becomes 1
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_EQ(m[0], 1.0f);
    EXPECT_EQ(m[12], 0.0f);
    // Sizes are the unsigned low and high words of the parameter: read as
    // signed, 40000 would be negative and GL would refuse the viewport.
    GLint max_dims[2];
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, max_dims);
    WindowProcedure(nullptr, WM_SIZE, SIZE_RESTORED, MAKELPARAM(40000, 30000));
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[2], std::min(40000, max_dims[0]));
    EXPECT_EQ(vp[3], std::min(30000, max_dims[1]));
}

}  // namespace
