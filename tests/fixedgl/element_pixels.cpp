// element_pixels CASE OUT.rgb
// Draws one case on a 1024x768 context set up as the demo sets it and
// writes the picture (RGB, bottom row first) to OUT.rgb; prints the lines the
// case reports. Built twice from this source: on the system's GL and, with
// the GL names mapped onto the layer's, on the layer over ES 2.
#include <stdio.h>
#include <string.h>

#include <vector>

#include "element_cases.h"
#include "platform/scripted.h"
#include "tests/support/demo_start_state.h"

// Under LeakSanitizer: the system's GL driver keeps memory of some display
// lists it never frees (list_many_materials through Mesa's own pipeline);
// that is the driver's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:swrast_dri.so\n"; }

namespace {

const ElementCase* find_case(const char* name) {
    for (const ElementCase* table : {kSceneCases, kLightingCases, kRasterCases, kListCases, kShortcutCases})
        for (const ElementCase* c = table; c->name; c++)
            if (strcmp(c->name, name) == 0) return c;
    return nullptr;
}

// As the demo's start-up leaves it, before the first frame.
bool open_demo_context() {
    return scripted::open_gl_context(1024, 768) && set_demo_start_state(QO_DATA_DIR);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: element_pixels CASE OUT.rgb\n");
        return 2;
    }
    const ElementCase* c = find_case(argv[1]);
    if (!c) {
        fprintf(stderr, "element_pixels: no case %s\n", argv[1]);
        return 2;
    }
    if (!open_demo_context()) {
        fprintf(stderr, "element_pixels: no GL context set up as the demo's\n");
        return 1;
    }
    c->draw();
    std::vector<unsigned char> pixels(1024 * 768 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    FILE* out = fopen(argv[2], "wb");
    if (!out || fwrite(pixels.data(), 1, pixels.size(), out) != pixels.size() || fclose(out) != 0) {
        fprintf(stderr, "element_pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
