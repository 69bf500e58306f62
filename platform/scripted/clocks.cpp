// Scripted clocks: one virtual time read by both clocks through their own
// offsets; reading the multimedia time moves it on, so spinning waits end.
#include "platform/scripted/state.h"

namespace scripted {

void set_time(uint64_t now) { state.now = now; }

uint64_t time() { return state.now; }

void set_clock_offsets(uint32_t tick_offset, uint32_t mm_offset) {
    state.tick_offset = tick_offset;
    state.mm_offset = mm_offset;
}

void set_clock_steps(uint32_t tick_step, uint32_t mm_step) {
    state.tick_step = tick_step;
    state.mm_step = mm_step;
}

}  // namespace scripted

DWORD GetTickCount(void) {
    DWORD t = (DWORD)(scripted::state.now + scripted::state.tick_offset);
    scripted::state.now += scripted::state.tick_step;
    return t;
}

DWORD timeGetTime(void) {
    DWORD t = (DWORD)(scripted::state.now + scripted::state.mm_offset);
    scripted::state.now += scripted::state.mm_step;
    return t;
}
