// qo-screenshot DATA_DIR FRAME OUT.png
// Runs the demo headless on its data with frames exactly 32 ms apart, saves
// the picture of frame FRAME (0-based, as it is presented) and ends the run.
#include <GL/gl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/scripted.h"
#include "png_write.h"

int qo_demo_main();

static unsigned wanted_frame;
static const char* output;
static bool saved = false;

static void on_present(unsigned frame) {
    if (frame != wanted_frame) return;
    const int width = 1024, height = 768;
    std::vector<unsigned char> bottom_up((size_t)width * height * 3), top_down(bottom_up.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
    for (int y = 0; y < height; y++)
        std::copy_n(&bottom_up[(size_t)(height - 1 - y) * width * 3], (size_t)width * 3, &top_down[(size_t)y * width * 3]);
    saved = write_png(output, top_down.data(), width, height);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: qo-screenshot DATA_DIR FRAME OUT.png\n");
        return 2;
    }
    char* end = nullptr;
    long frame = strtol(argv[2], &end, 10);
    if (*end || frame < 0 || frame > 8374) {
        fprintf(stderr, "qo-screenshot: FRAME must be a whole number from 0 to 8374\n");
        return 2;
    }
    wanted_frame = (unsigned)frame;
    // The demo runs inside DATA_DIR: keep a relative output path relative to here.
    char* here = getcwd(nullptr, 0);
    std::string out_path = argv[3][0] == '/' ? std::string(argv[3]) : std::string(here ? here : ".") + "/" + argv[3];
    free(here);
    output = out_path.c_str();
    if (chdir(argv[1]) != 0) {
        perror(argv[1]);
        return 1;
    }
    scripted::reset();
    scripted::set_clock_steps(0, 32);
    scripted::on_present(on_present);
    scripted::post_message_at_frame(wanted_frame + 1, WM_KEYDOWN, VK_ESCAPE, 0);
    qo_demo_main();
    if (!saved) {
        fprintf(stderr, "qo-screenshot: could not write %s\n", output);
        return 1;
    }
    return 0;
}
