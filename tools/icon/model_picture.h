// The demo's model drawn alone on a transparent background: the picture the
// desktop shows for Qo, made from the model itself at build time.
#ifndef QO_TOOLS_ICON_MODEL_PICTURE_H
#define QO_TOOLS_ICON_MODEL_PICTURE_H

#include <vector>

// What was drawn: the pixels, and which of them the model covers.
struct Drawing {
    int size = 0;  // width and height in pixels
    std::vector<unsigned char> rgb;  // rows packed, bottom row first
    std::vector<bool> covered;
};

// Reads and prepares the model as the demo does and draws it lit, turned to
// show its crystals and ring, filling a square of `size` pixels. Needs a
// current GL context of at least that size. False when the model has no
// vertices.
bool draw_model(const char* obj_path, int size, Drawing& drawing);

// One RGBA pixel for each `factor` × `factor` block, top row first: alpha is
// the covered share of the block, colour the mean of its covered pixels.
std::vector<unsigned char> reduce_to_rgba(const Drawing& drawing, int factor);

#endif
