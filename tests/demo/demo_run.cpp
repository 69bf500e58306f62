#include "demo_run.h"

#include <GL/gl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "child_process.h"
#include "demo/fade.h"
#include "demo/run_loop.h"
#include "demo/swarm.h"
#include "platform/scripted.h"

int qo_demo_main();

static DemoScript active_script;

static bool projection_is_identity() {
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    for (int i = 0; i < 16; i++)
        if (m[i] != ((i % 5 == 0) ? 1.0f : 0.0f)) return false;
    return true;
}

static std::string frame_line(const char* tag) {
    bool restored = glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_LIGHTING) && glIsEnabled(GL_BLEND) &&
                    !glIsEnabled(GL_TEXTURE_2D);
    char line[200];
    snprintf(line, sizeof line, "%s %.9g %.9g %d %u %d %.9g %d %d %d", tag, currentTime, mustuus, demofloat,
             m_dwCurrentTime, projection_is_identity() ? 1 : 0, kuulax[0][0], restored ? 1 : 0,
             glIsEnabled(GL_NORMALIZE) ? 1 : 0, glIsEnabled(GL_COLOR_MATERIAL) ? 1 : 0);
    return line;
}

static void on_present(unsigned frame) {
    emit(frame_line("frame"));
    for (const PixelProbe& p : active_script.pixels) {
        if (p.frame != frame) continue;
        unsigned char rgb[3];
        glReadPixels(p.x, p.y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        char line[96];
        snprintf(line, sizeof line, "pixel %u %d %d %d %d %d", frame, p.x, p.y, rgb[0], rgb[1], rgb[2]);
        emit(line);
    }
}

static void child_body() {
    const DemoScript& s = active_script;
    if (!s.directory.empty() && chdir(s.directory.c_str()) != 0) {
        emit("chdir failed");
        return;
    }
    scripted::reset();
    scripted::set_clock_steps(0, s.mm_step);
    scripted::set_clock_offsets(s.tick_offset, s.mm_offset);
    for (const ScriptedMessage& m : s.messages) scripted::post_message_at_frame(m.frame, m.message, m.wParam, m.lParam);
    for (int step : s.fail_steps) scripted::fail((platform::WindowStep)step);
    for (int answer : s.box_answers) scripted::answer_next_message_box(answer);
    scripted::on_present(on_present);
    int result = qo_demo_main();
    emit("returned " + std::to_string(result));
    emit(frame_line("last"));
    for (const std::string& line : scripted::journal()) emit("j " + line);
}

static Frame parse_frame(const std::string& rest) {
    Frame f{};
    int identity = 0, restored = 0, normalize = 0, colour_material = 0;
    sscanf(rest.c_str(), "%f %f %d %u %d %f %d %d %d", &f.current_time, &f.mustuus, &f.demofloat, &f.mm_time,
           &identity, &f.column0_x, &restored, &normalize, &colour_material);
    f.projection_identity = identity != 0;
    f.state_restored = restored != 0;
    f.normalize = normalize != 0;
    f.colour_material = colour_material != 0;
    return f;
}

DemoRun run_demo(const DemoScript& script) {
    active_script = script;
    ChildRun child = run_in_child(child_body);
    DemoRun run;
    run.exited = child.exited;
    run.status = child.status;
    for (const std::string& line : child.lines) {
        if (line.compare(0, 6, "frame ") == 0) {
            run.frames.push_back(parse_frame(line.substr(6)));
        } else if (line.compare(0, 5, "last ") == 0) {
            run.last = parse_frame(line.substr(5));
        } else if (line.compare(0, 9, "returned ") == 0) {
            run.returned = true;
            run.result = atoi(line.c_str() + 9);
        } else if (line.compare(0, 2, "j ") == 0) {
            run.journal.push_back(line.substr(2));
        } else if (line.compare(0, 6, "pixel ") == 0) {
            PixelProbe probe{};
            Pixel px{};
            sscanf(line.c_str() + 6, "%u %d %d %d %d %d", &probe.frame, &probe.x, &probe.y, &px.r, &px.g, &px.b);
            run.pixels[probe.frame] = px;
            run.probe_pixels.push_back({probe, px});
        }
    }
    return run;
}

std::vector<std::string> DemoRun::journal_lines(const std::string& prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : journal)
        if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line.substr(prefix.size()));
    return lines;
}

uint64_t scripted_start_time() {
    scripted::reset();
    return scripted::time();
}
