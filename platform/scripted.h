// Control of the scripted platform backend, for tests only.
//
// The scripted backend renders into a real headless GL context like the real
// one, but its clocks, the messages it delivers, the answers of message boxes
// and the failures of window-system steps are set by the test, and it records
// every title set, message box shown and media command sent, in one journal.
#ifndef QO_PLATFORM_SCRIPTED_H
#define QO_PLATFORM_SCRIPTED_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/win32.h"

namespace scripted {

struct MessageBox {
    std::string text;
    std::string caption;
    UINT style;
    HWND owner;
};

// Opens a hidden headless window of the given client size with a current GL
// context (16-bit depth, double buffered), for tests that draw. Returns false
// when no GL context can be had.
bool open_gl_context(int width, int height);

// Back to the start state: no failures, empty journal and queue, clocks at
// their defaults, default answers.
void reset();

// Makes a window-system step fail (platform::kCreateWindow and the others).
void fail(platform::WindowStep step, bool failing = true);

// Answers of the next message boxes, in order; once used up, a question box
// (MB_YESNO) answers IDYES and any other box IDOK.
void answer_next_message_box(int answer);

// Clocks. Both read one virtual time in milliseconds, each with its own
// offset, truncated to 32 bits. Every timeGetTime call advances the virtual
// time by mm_step (default 1) after reading it, every GetTickCount call by
// tick_step (default 0), so a spinning wait on timeGetTime always ends.
void set_time(uint64_t now);
uint64_t time();
void set_clock_offsets(uint32_t tick_offset, uint32_t mm_offset);
void set_clock_steps(uint32_t tick_step, uint32_t mm_step);

// A message that PeekMessageA delivers once the virtual time has reached
// `at` (or at the first presented frame number `at_frame`, whichever form is
// used). Messages come out in the order they were scripted.
void post_message_at_time(uint64_t at, UINT message, WPARAM wParam, LPARAM lParam);
void post_message_at_frame(unsigned at_frame, UINT message, WPARAM wParam, LPARAM lParam);

// A function that PeekMessageA calls once the first presented frame number
// `at_frame` is reached, on the program's thread with its GL context current.
// Calls run while the queue is filled, so before any message that falls due
// with them is handled, and before that frame is made.
typedef void (*ScriptedCall)();
void call_at_frame(unsigned at_frame, ScriptedCall call);

// Gives a shown window a new client size, as the window system does when it
// resizes a window itself: its GL surface is made again at that size (the
// window's current context moves over to it) and WM_SIZE goes to its
// procedure before this returns. False, with nothing changed, when no
// surface of that size can be had.
bool resize_window(HWND window, int width, int height);

// Called inside SwapBuffers before the buffers are exchanged, with the number
// of frames presented before this one; the back buffer still holds the frame.
typedef void (*PresentHook)(unsigned frame);
void on_present(PresentHook hook);
unsigned frames_presented();

// Everything observable the program did, in order: lines such as
//   "title 32", "mci play musakki.mp3", "box ERROR|Window Creation Error.|0x30",
//   "display 1024x768x32", "display restore", "cursor -1", "window 1024x768 popup",
//   "pixelformat flags=0x25 colour=32 depth=16", "destroy",
//   "default 0x112 0xF141" (a message the default window procedure received)
const std::vector<std::string>& journal();
std::vector<std::string> journal_lines(const std::string& prefix);  // matching lines, prefix dropped
const std::vector<MessageBox>& message_boxes();
std::string title();  // the window's current title

}  // namespace scripted

#endif
