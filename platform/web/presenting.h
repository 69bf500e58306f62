// Presenting frames: in real time at the browser's animation frames, or, in
// a stepped run (the page's ?frame=K), frames made back to back on clocks
// 32 ms apart, drawn only from the first frame the page wants, up to frame
// K, after which the run is asked to quit.
#ifndef QO_PLATFORM_WEB_PRESENTING_H
#define QO_PLATFORM_WEB_PRESENTING_H

#include <stdint.h>

namespace web {

struct RunMode {
    bool stepped = false;
    unsigned last = 0;        // stepped: the last frame presented
    unsigned first_drawn = 0;  // stepped: frames before this one are not drawn
};

// Read from the page once, at the first call.
const RunMode& run_mode();

// Whenever a layer context becomes current: while frames that will not be
// shown are being made, it drops their drawing.
void apply_discard();

// SwapBuffers: sends the frame on and shows it (or not) as the mode says.
void present_frame();

// Stepped clocks: the virtual time both clocks read, in milliseconds.
uint64_t stepped_time();
void advance_stepped_time(uint64_t milliseconds);

}  // namespace web

#endif
