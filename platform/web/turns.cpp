#include "platform/web/turns.h"

#include <emscripten/emscripten.h>

#include "platform/web/browser.h"

namespace web {

namespace {

// Long enough that a yield costs little beside the work between them, short
// enough that keys and the page's own work never wait noticeably.
const double kLongestWithoutTurnMs = 8.0;

double last_turn_ms = 0;

}  // namespace

void give_browser_a_turn_if_due() {
    if (emscripten_get_now() - last_turn_ms < kLongestWithoutTurnMs) return;
    qo_web_yield();
    note_browser_turn();
}

void note_browser_turn() { last_turn_ms = emscripten_get_now(); }

}  // namespace web
