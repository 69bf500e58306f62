// Progress on standard error: a bar redrawn in place when it is a terminal,
// otherwise one line at every tenth of the frames.
#ifndef QO_TOOLS_CAPTURE_PROGRESS_H
#define QO_TOOLS_CAPTURE_PROGRESS_H

#include <mutex>
#include <string>

struct ProgressFigures {
    unsigned done, all;        // captured frames encoded, of all captured frames
    unsigned lead_in;          // frames the demo makes before the first captured one
    unsigned lead_in_done;     // of those, made so far
    double fps;                // frames of the demo finished a second (made, or made and encoded)
    double seconds_left;       // negative while unknown
};

std::string progress_bar_text(const ProgressFigures& figures, int bar_width);
std::string progress_line_text(const ProgressFigures& figures);

struct Progress {
    std::mutex lock;
    bool terminal = false;
    unsigned first = 0, last = 0;  // the captured frames
    double started = 0, drawn = -1;
    unsigned tenths = 0;  // tenths reported so far
};

void start_progress(Progress& progress, unsigned first, unsigned last, bool terminal);

// `rendered`: frames of the demo made so far; `encoded`: captured frames
// encoded so far. Callable from any thread.
void show_progress(Progress& progress, unsigned rendered, unsigned encoded);

// Ends the bar's line.
void end_progress(Progress& progress);

#endif
