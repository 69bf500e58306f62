// What the web platform asks of the browser and of the page that hosts the
// run, implemented in JavaScript (browser.js). The functions marked as
// yielding give the browser its turn: the run's stack is set aside
// (ASYNCIFY) and taken up again when the browser calls back.
#ifndef QO_PLATFORM_WEB_BROWSER_H
#define QO_PLATFORM_WEB_BROWSER_H

extern "C" {

// Yields: back as soon as the browser has handled what waits (input, timers).
void qo_web_yield();

// Yields: back once the canvas has been painted at the browser's next
// animation frame (in a hidden page, at its next timer instead).
void qo_web_wait_for_paint();

// Yields: shows a message box in the page and returns the button chosen
// (IDOK, IDYES, IDNO).
int qo_web_message_box(const char* text, const char* caption, unsigned type);

// The page's run options: the last frame of a stepped run (frame K of
// ?frame=K) and the first frame drawn in it; -1 for a run in real time.
int qo_web_stepped_last_frame();
int qo_web_stepped_first_drawn();

// Tells the page: the window title changed; a frame was presented; the
// stepped run's last frame is on the canvas.
void qo_web_set_title(const char* title);
void qo_web_presented(unsigned frame);
void qo_web_drew(unsigned frame);

// Waits until the GL drawing sent so far is done.
void qo_web_finish_frame();

void qo_web_show_cursor(int show);

// Music over WebAudio, in step with the demo's clock: `zero_ms` is the
// performance.now() time at which the demo's running time was zero.
// Results are MCI error codes (0 for success).
unsigned qo_web_music_play(const char* path, const char* name, double zero_ms);
unsigned qo_web_music_stop(const char* name);
unsigned qo_web_music_close(const char* name);

}

#endif
