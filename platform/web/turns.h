// When the run gives the browser its turn. The run loop never waits for the
// browser by itself, so the platform calls it yields: at every presented
// frame, and in the message pump when the browser has waited too long.
#ifndef QO_PLATFORM_WEB_TURNS_H
#define QO_PLATFORM_WEB_TURNS_H

namespace web {

// Yields if the browser has not had a turn for a few milliseconds, so a run
// that presents nothing for a while (stepping to a frame) keeps the page alive.
void give_browser_a_turn_if_due();

// The browser has just had its turn (after a yield).
void note_browser_turn();

}  // namespace web

#endif
