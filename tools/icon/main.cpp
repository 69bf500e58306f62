// qo-icon MODEL.obj SIZE OUT.png
// Draws the model alone, lit, on a transparent background, as a square PNG
// picture of SIZE pixels: Qo's icon, made at build time from the demo's model.
#include <stdio.h>
#include <stdlib.h>

#include "platform/scripted.h"
#include "tools/icon/model_picture.h"
#include "tools/screenshot/png_write.h"

int main(int argc, char** argv) {
    long size = argc == 4 ? strtol(argv[2], nullptr, 10) : 0;
    if (size < 16 || size > 1024) {
        fprintf(stderr, "usage: qo-icon MODEL.obj SIZE OUT.png (SIZE from 16 to 1024)\n");
        return 2;
    }
    const int samples = 4;  // drawn four times larger each way, for smooth edges
    if (!scripted::open_gl_context((int)size * samples, (int)size * samples)) {
        fprintf(stderr, "qo-icon: no GL context\n");
        return 1;
    }
    Drawing drawing;
    if (!draw_model(argv[1], (int)size * samples, drawing)) {
        fprintf(stderr, "qo-icon: %s has no vertices\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> rgba = reduce_to_rgba(drawing, samples);
    if (!write_png(argv[3], rgba.data(), (int)size, (int)size, 4)) {
        fprintf(stderr, "qo-icon: could not write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
