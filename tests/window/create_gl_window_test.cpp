// Opening and releasing the window: every failing step's report and release,
// the full-screen question, and the pixel format's one-time colour depth.
// Each case runs in a fresh child process, as the window state is process-wide.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "child_process.h"
#include "platform/scripted.h"
#include "window/gl_window.h"

namespace {

struct Case {
    std::vector<platform::WindowStep> failing;
    std::vector<int> answers;
    bool fullscreen = true;
};

Case current;

struct Outcome {
    bool result = false;
    std::vector<std::string> journal;
    bool handles_null = false;
    bool registered_after = false;  // the class was still registered afterwards
    bool fullscreen_after = false;
    bool queue_empty = false;
    int viewport[4] = {};
    bool matrices_identity = false;
};

bool identity(GLenum which) {
    GLfloat m[16];
    glGetFloatv(which, m);
    for (int i = 0; i < 16; i++)
        if (m[i] != ((i % 5 == 0) ? 1.0f : 0.0f)) return false;
    return true;
}

void create_in_child() {
    scripted::reset();
    for (platform::WindowStep s : current.failing) scripted::fail(s);
    for (int a : current.answers) scripted::answer_next_message_box(a);
    bool result = CreateGLWindow("Qo", 1024, 768, 32, current.fullscreen);
    emit(result ? "result 1" : "result 0");
    emit(std::string("fullscreen ") + (fullscreen ? "1" : "0"));
    emit(std::string("handles ") + (!hRC && !hDC && !hWnd ? "null" : "set"));
    if (result) {
        MSG msg;
        emit(std::string("queue ") + (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) ? "busy" : "empty"));
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        GLint mode;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        emit("viewport " + std::to_string(vp[0]) + " " + std::to_string(vp[1]) + " " + std::to_string(vp[2]) + " " +
             std::to_string(vp[3]));
        emit(std::string("identity ") +
             (identity(GL_PROJECTION_MATRIX) && identity(GL_MODELVIEW_MATRIX) && mode == GL_MODELVIEW ? "1" : "0"));
    }
    // Is the class still registered? Unregistering succeeds only if it is.
    scripted::fail(platform::kUnregisterClass, false);
    emit(std::string("registered ") + (hWnd == nullptr && UnregisterClassA("OpenGL", hInstance) ? "1" : "0"));
    for (const std::string& line : scripted::journal()) emit("j " + line);
}

Outcome create(const Case& c) {
    current = c;
    ChildRun run = run_in_child(create_in_child);
    Outcome o;
    for (const std::string& line : run.lines) {
        if (line == "result 1") o.result = true;
        if (line == "fullscreen 1") o.fullscreen_after = true;
        if (line == "handles null") o.handles_null = true;
        if (line == "registered 1") o.registered_after = true;
        if (line == "queue empty") o.queue_empty = true;
        if (line == "identity 1") o.matrices_identity = true;
        if (line.compare(0, 9, "viewport ") == 0)
            sscanf(line.c_str() + 9, "%d %d %d %d", &o.viewport[0], &o.viewport[1], &o.viewport[2], &o.viewport[3]);
        if (line.compare(0, 2, "j ") == 0) o.journal.push_back(line.substr(2));
    }
    return o;
}

std::vector<std::string> lines(const Outcome& o, const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& l : o.journal)
        if (l.compare(0, prefix.size(), prefix) == 0) out.push_back(l.substr(prefix.size()));
    return out;
}

bool has(const Outcome& o, const std::string& line) {
    return std::find(o.journal.begin(), o.journal.end(), line) != o.journal.end();
}

TEST(CreateGLWindow, OpensFullScreenWithCurrentContext) {
    Outcome o = create(Case{});
    EXPECT_TRUE(o.result);
    EXPECT_TRUE(o.fullscreen_after);
    EXPECT_TRUE(has(o, "display 1024x768x32"));
    EXPECT_TRUE(has(o, "cursor -1"));
    EXPECT_TRUE(has(o, "window 1024x768 popup"));
    EXPECT_TRUE(has(o, "pixelformat flags=0x25 colour=32 depth=16"));
    EXPECT_TRUE(lines(o, "box ").empty());
    // Both matrices identity, model-view current, viewport the client size,
    // and no size or activation message left to arrive later.
    EXPECT_TRUE(o.matrices_identity);
    EXPECT_EQ(o.viewport[2], 1024);
    EXPECT_EQ(o.viewport[3], 768);
    EXPECT_TRUE(o.queue_empty);
}

TEST(CreateGLWindow, RegisterFailureReleasesNothing) {
    Outcome o = create(Case{{platform::kRegisterClass}, {}, true});
    EXPECT_FALSE(o.result);
    EXPECT_EQ(lines(o, "box "), std::vector<std::string>{"ERROR|Failed To Register The Window Class.|0x30"});
    EXPECT_FALSE(has(o, "display 1024x768x32"));
    EXPECT_TRUE(lines(o, "window ").empty());
}

TEST(CreateGLWindow, EveryLaterFailureReleasesThenReports) {
    const struct {
        platform::WindowStep step;
        const char* text;
        bool window_made;
    } failures[] = {
        {platform::kCreateWindow, "Window Creation Error.", false},
        {platform::kGetDC, "Can't Create A GL Device Context.", true},
        {platform::kChoosePixelFormat, "Can't Find A Suitable PixelFormat.", true},
        {platform::kSetPixelFormat, "Can't Set The PixelFormat.", true},
        {platform::kCreateContext, "Can't Create A GL Rendering Context.", true},
        {platform::kMakeCurrent, "Can't Activate The GL Rendering Context.", true},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.text);
        Outcome o = create(Case{{f.step}, {}, true});
        EXPECT_FALSE(o.result);
        EXPECT_EQ(lines(o, "box "), std::vector<std::string>{std::string("ERROR|") + f.text + "|0x30"});
        // The release ran first: display mode back, cursor shown, window gone, class unregistered.
        auto restore = std::find(o.journal.begin(), o.journal.end(), "display restore");
        auto box = std::find_if(o.journal.begin(), o.journal.end(), [](const std::string& l) { return l.rfind("box ", 0) == 0; });
        EXPECT_TRUE(restore < box);
        EXPECT_TRUE(has(o, "cursor 0"));
        EXPECT_EQ(has(o, "destroy"), f.window_made);
        EXPECT_FALSE(o.registered_after);
        EXPECT_TRUE(o.handles_null || f.window_made);
    }
}

TEST(CreateGLWindow, RefusedFullScreenYesOpensWindowed) {
    Outcome o = create(Case{{platform::kChangeDisplaySettings}, {IDYES}, true});
    EXPECT_TRUE(o.result);
    EXPECT_FALSE(o.fullscreen_after);
    EXPECT_EQ(lines(o, "box ").size(), 1u);
    EXPECT_TRUE(has(o, "window 1024x768 overlapped"));  // the client area is the size asked for
    EXPECT_TRUE(lines(o, "cursor ").empty());
}

TEST(CreateGLWindow, RefusedFullScreenNoKeepsClassRegistered) {
    Outcome o = create(Case{{platform::kChangeDisplaySettings}, {IDNO}, true});
    EXPECT_FALSE(o.result);
    std::vector<std::string> boxes = lines(o, "box ");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], "ERROR|Program Will Now Close.|0x10");
    EXPECT_TRUE(o.registered_after);
    EXPECT_TRUE(lines(o, "window ").empty());
}

// KillGLWindow: every failing release is reported and the release goes on.
void kill_in_child() {
    scripted::reset();
    bool opened = CreateGLWindow("Qo", 1024, 768, 32, current.fullscreen);
    emit(opened ? "opened" : "not opened");
    for (platform::WindowStep s : current.failing) scripted::fail(s);
    KillGLWindow();
    emit(std::string("hRC ") + (hRC ? "set" : "null"));
    emit(std::string("hDC ") + (hDC ? "set" : "null"));
    emit(std::string("hWnd ") + (hWnd ? "set" : "null"));
    emit(std::string("hInstance ") + (hInstance ? "set" : "null"));
    for (const std::string& line : scripted::journal()) emit("j " + line);
}

std::vector<std::string> kill(const Case& c) {
    current = c;
    return run_in_child(kill_in_child).lines;
}

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

TEST(KillGLWindow, ReportsNeverStopTheRelease) {
    std::vector<std::string> all = kill(Case{{platform::kReleaseCurrent, platform::kDeleteContext, platform::kReleaseDC,
                                              platform::kDestroyWindow, platform::kUnregisterClass},
                                             {},
                                             true});
    ASSERT_TRUE(contains(all, "opened"));
    std::vector<std::string> boxes;
    for (const std::string& l : all)
        if (l.rfind("j box ", 0) == 0) boxes.push_back(l.substr(6));
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "SHUTDOWN ERROR|Release Of DC And RC Failed.|0x40",
                         "SHUTDOWN ERROR|Release Rendering Context Failed.|0x40",
                         "SHUTDOWN ERROR|Release Device Context Failed.|0x40",
                         "SHUTDOWN ERROR|Could Not Release hWnd.|0x40",
                         "SHUTDOWN ERROR|Could Not Unregister Class.|0x40",
                     }));
    // Every handle whose release failed is cleared; the context always is.
    for (const char* h : {"hRC null", "hDC null", "hWnd null", "hInstance null"}) EXPECT_TRUE(contains(all, h)) << h;
}

TEST(KillGLWindow, SuccessfulReleaseKeepsHandleValues) {
    std::vector<std::string> all = kill(Case{});
    ASSERT_TRUE(contains(all, "opened"));
    EXPECT_TRUE(contains(all, "hRC null"));
    EXPECT_TRUE(contains(all, "hDC set"));
    EXPECT_TRUE(contains(all, "hWnd set"));
    EXPECT_TRUE(contains(all, "hInstance set"));
    EXPECT_TRUE(contains(all, "j display restore"));
    EXPECT_TRUE(contains(all, "j cursor 0"));
    EXPECT_TRUE(contains(all, "j destroy"));
}

TEST(KillGLWindow, WindowedLeavesDisplayAndCursorAlone) {
    current = Case{{}, {}, false};
    std::vector<std::string> all = kill(current);
    ASSERT_TRUE(contains(all, "opened"));
    for (const std::string& l : all) {
        EXPECT_NE(l.rfind("j display", 0), 0u) << l;
        EXPECT_NE(l.rfind("j cursor", 0), 0u) << l;
    }
}

// A second window after the first is released asks for its own display mode
// but keeps the pixel format's colour depth from the first.
void reopen_in_child() {
    scripted::reset();
    bool first = CreateGLWindow("Qo", 1024, 768, 32, true);
    KillGLWindow();
    bool second = CreateGLWindow("Qo", 1024, 768, 16, true);
    emit(first && second ? "both" : "not both");
    for (const std::string& line : scripted::journal()) emit("j " + line);
}

TEST(CreateGLWindow, PixelFormatKeepsFirstColourDepth) {
    std::vector<std::string> all = run_in_child(reopen_in_child).lines;
    ASSERT_TRUE(contains(all, "both"));
    EXPECT_TRUE(contains(all, "j display 1024x768x32"));
    EXPECT_TRUE(contains(all, "j display 1024x768x16"));
    int formats = 0;
    for (const std::string& l : all) {
        if (l.rfind("j pixelformat", 0) != 0) continue;
        formats++;
        EXPECT_EQ(l, "j pixelformat flags=0x25 colour=32 depth=16");
    }
    EXPECT_EQ(formats, 2);
}

}  // namespace
