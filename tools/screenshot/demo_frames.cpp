#include "tools/screenshot/demo_frames.h"

#include <GL/gl.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "platform/scripted.h"
#include "window/gl_window.h"

int qo_demo_main();

namespace {

const FrameRun* current_run = nullptr;
unsigned handed = 0;
bool inside_entry = false;
bool resize_failed = false;

void on_present(unsigned frame) {
    if (frame < current_run->first || frame > current_run->last) return;
    current_run->on_frame(frame, current_run->context);
    handed++;
}

// The window takes a new size as it takes any size change, which leaves both
// matrices at identity; the demo set its projection once, at start-up, and it
// fits every size of the same shape, so it is put back.
void resize_keeping_projection(int width, int height) {
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    if (!scripted::resize_window(hWnd, width, height)) {
        resize_failed = true;
        scripted::post_message_at_frame(0, WM_KEYDOWN, VK_ESCAPE, 0);
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
}

// Frames before the first one handed over are drawn in a window of one
// pixel: a frame's picture depends on none drawn before it (each begins by
// clearing), so stepping through them costs next to nothing.
void shrink_until_first() { resize_keeping_projection(1, 1); }
void size_for_first() { resize_keeping_projection(current_run->width, current_run->height); }

// A message box's caption and text on one line.
std::string box_line(const scripted::MessageBox& box) {
    std::string text = box.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    for (char& c : text)
        if (c == '\n') c = ' ';
    return box.caption + ": " + text;
}

// The demo ends the process itself when a data file cannot be read: the
// model library after its own line, texture loading after a message box
// (and with status 0). Either way the run failed.
void on_exit_inside_entry() {
    if (!inside_entry) return;
    for (const scripted::MessageBox& box : scripted::message_boxes())
        fprintf(stderr, "%s: %s\n", current_run->tool, box_line(box).c_str());
    if (current_run->on_abort) current_run->on_abort();
    _exit(1);
}

}  // namespace

unsigned run_demo_frames(const FrameRun& run, std::string& error) {
    if (chdir(run.data_dir) != 0) {
        error = std::string(run.data_dir) + ": " + strerror(errno);
        return 0;
    }
    static bool exit_handler = false;
    if (!exit_handler) exit_handler = atexit(on_exit_inside_entry) == 0;
    current_run = &run;
    handed = 0;
    resize_failed = false;
    scripted::reset();
    scripted::set_clock_steps(0, kFrameMs);
    scripted::on_present(on_present);
    if (run.first > 0) scripted::call_at_frame(0, shrink_until_first);
    if (run.first > 0 || run.width != kDemoWidth || run.height != kDemoHeight)
        scripted::call_at_frame(run.first, size_for_first);
    scripted::post_message_at_frame(run.last + 1, WM_KEYDOWN, VK_ESCAPE, 0);
    inside_entry = true;
    qo_demo_main();
    inside_entry = false;

    if (handed < run.last - run.first + 1) {
        if (resize_failed) {
            error = "cannot render pictures of " + std::to_string(run.width) + "x" + std::to_string(run.height);
        } else if (!scripted::message_boxes().empty()) {
            error = "the demo stopped: " + box_line(scripted::message_boxes().front());
        } else {
            error = "the demo stopped after " + std::to_string(scripted::frames_presented()) + " frames";
        }
    }
    current_run = nullptr;
    return handed;
}

void stop_demo_frames() { scripted::post_message_at_frame(scripted::frames_presented() + 1, WM_KEYDOWN, VK_ESCAPE, 0); }

void read_frame(int width, int height, int channels, unsigned char* pixels) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, channels == 4 ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, pixels);
}

std::string absolute_path(const char* path) {
    if (path[0] == '/') return path;
    char* here = getcwd(nullptr, 0);
    std::string absolute = std::string(here ? here : ".") + "/" + path;
    free(here);
    return absolute;
}
