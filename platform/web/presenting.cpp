#include "platform/web/presenting.h"

#include "fixedgl/fixedgl.h"
#include "platform/web/browser.h"
#include "platform/web/turns.h"
#include "platform/win32.h"

namespace web {

namespace {

unsigned presented = 0;
// As qo-screenshot steps the demo: an hour of uptime, so the first frame's
// wait against a zero start ends at once.
uint64_t virtual_now = 3600000;

RunMode read_run_mode() {
    RunMode mode;
    int last = qo_web_stepped_last_frame();
    if (last < 0) return mode;
    mode.stepped = true;
    mode.last = (unsigned)last;
    int first = qo_web_stepped_first_drawn();
    mode.first_drawn = first >= 0 && first <= last ? (unsigned)first : mode.last;
    return mode;
}

}  // namespace

const RunMode& run_mode() {
    static const RunMode mode = read_run_mode();
    return mode;
}

void apply_discard() { fixedgl_set_discard(run_mode().stepped && presented < run_mode().first_drawn); }

void present_frame() {
    fixedgl_flush();
    unsigned frame = presented++;
    const RunMode& mode = run_mode();
    if (!mode.stepped) {
        qo_web_wait_for_paint();
        note_browser_turn();
        qo_web_presented(frame);
        return;
    }
    // Drawn frames on the way to the last are finished, so each is timed
    // whole; the last is waited for by its paint.
    if (frame >= mode.first_drawn) {
        if (frame < mode.last) qo_web_finish_frame();
        qo_web_presented(frame);
    }
    if (frame + 1 == mode.first_drawn) apply_discard();  // the next frame is drawn
    if (frame < mode.last) {
        give_browser_a_turn_if_due();
        return;
    }
    // The last frame: shown, and the run ends without making another.
    qo_web_wait_for_paint();
    note_browser_turn();
    qo_web_drew(frame);
    PostQuitMessage(0);
}

uint64_t stepped_time() { return virtual_now; }

void advance_stepped_time(uint64_t milliseconds) { virtual_now += milliseconds; }

}  // namespace web
