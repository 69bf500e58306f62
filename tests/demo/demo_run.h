// Runs the whole demo through its real entry in a fresh child process, with
// the scripted platform, and brings back what happened frame by frame.
#ifndef QO_TESTS_DEMO_RUN_H
#define QO_TESTS_DEMO_RUN_H

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32.h"

struct ScriptedMessage {
    unsigned frame;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct PixelProbe {
    unsigned frame;
    int x, y;
};

struct DemoScript {
    uint32_t mm_step = 32;  // ms the virtual time moves per multimedia-time reading
    uint32_t mm_offset = 0;
    uint32_t tick_offset = 0;
    std::vector<ScriptedMessage> messages;
    std::vector<PixelProbe> pixels;
    std::vector<int> fail_steps;        // platform::WindowStep values
    std::vector<int> box_answers;
    std::string directory = QO_TINY_DATA_DIR;  // where the demo runs (its data files)
};

struct Frame {
    float current_time;
    float mustuus;
    int demofloat;
    DWORD mm_time;
    bool projection_identity;
    float column0_x;      // kuulax[0][0] after this frame's advance
    bool state_restored;  // depth test, lighting, blending on; texturing off
    bool normalize;
    bool colour_material;
};

struct Pixel {
    int r, g, b;
};

struct DemoRun {
    bool exited = false;
    int status = -1;
    bool returned = false;  // the entry returned (instead of the process ending inside it)
    int result = -1;
    std::vector<Frame> frames;  // one per presented frame
    Frame last{};               // state when the entry returned
    std::vector<std::string> journal;
    std::map<unsigned, Pixel> pixels;  // by frame; PixelProbe order within a frame is kept in probe_pixels
    std::vector<std::pair<PixelProbe, Pixel>> probe_pixels;
    std::vector<std::string> journal_lines(const std::string& prefix) const;
};

DemoRun run_demo(const DemoScript& script);

// The start of the scripted virtual time (the platform's uptime at start).
uint64_t scripted_start_time();

#endif
