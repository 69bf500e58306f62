// The two millisecond clocks, each an unsigned 32-bit count that wraps: in
// real time both read the page's performance.now(); in a stepped run they
// read one virtual time that every multimedia-time reading moves on by 32 ms,
// as qo-screenshot steps the demo.
#include <emscripten/emscripten.h>
#include <math.h>

#include "platform/web/presenting.h"
#include "platform/web/web_clocks.h"
#include "platform/win32.h"

namespace web {

namespace {

// Counting from an hour of uptime, so the first frame's wait ends at once.
const double kUptimeMs = 3600000.0;
const uint64_t kSteppedFrameMs = 32;

double last_tick_ms = 0;

}  // namespace

double last_tick_count_time() { return last_tick_ms; }

}  // namespace web

DWORD GetTickCount(void) {
    if (web::run_mode().stepped) return (DWORD)web::stepped_time();
    web::last_tick_ms = floor(emscripten_get_now());
    return (DWORD)(uint64_t)(web::last_tick_ms + web::kUptimeMs);
}

DWORD timeGetTime(void) {
    if (web::run_mode().stepped) {
        DWORD t = (DWORD)web::stepped_time();
        web::advance_stepped_time(web::kSteppedFrameMs);
        return t;
    }
    return (DWORD)(uint64_t)(emscripten_get_now() + web::kUptimeMs);
}
