// The demo's elements, drawn by the demo's own functions.
#include <stdio.h>

#include "demo/fade.h"
#include "demo/run_loop.h"
#include "demo/scene.h"
#include "demo/scene_elements.h"
#include "demo/scene_resources.h"
#include "demo/swarm.h"
#include "element_cases.h"

#ifdef QO_ELEMENTS_ON_LAYER
#include "fixedgl/fixedgl.h"
#endif

namespace {

// The swarm as it stands after `frames` frames.
void swarm_at(int frames) {
    scene_fill_swarm();
    for (int n = 0; n < frames; n++) scene_advance_swarm();
    demofloat = frames;
}

// The first frame's swarm: normalisation off, colour material on at the
// list's first replay (which switches it off).
void swarm_first() {
    GLuint list = scene_model_list();
    swarm_at(300);
    clear_to(0.1f);
    draw_swarm(list);
}

// Any later frame's: normalisation on, colour material off. Drawn over a
// lighter grey, so the silhouettes' own shading shows.
void swarm_later() {
    GLuint list = scene_model_list();
    swarm_at(700);
    glEnable(GL_NORMALIZE);
    clear_to(0.1f);
    draw_swarm(list);  // the first replay switches colour material off
    clear_to(0.35f);
    draw_swarm(list);
}

void backdrop() {
    clear_to(0.1f);
    draw_backdrop();
}

void rings() {
    clear_to(0.5f);
    draw_rings();
}

void overlay_first() {
    clear_to(0.4f);
    draw_overlay(TextureArray[3], 35, 0, 30, 30);
}

void overlay_second() {
    clear_to_rgb(0.2f, 0.5f, 0.7f);
    draw_overlay(TextureArray[4], -40, -15, 15, 25);
}

// The fade's overlay at half strength over the backdrop.
void fade_half() {
    clear_to_rgb(0.6f, 0.3f, 0.9f);
    draw_backdrop();
    musta(0.5f);
}

// Whole frames as the run loop draws them: frame 450 of the full scene, and
// one in the fade with its overlay, each after a first frame has run.
void frame(int frames, float fade) {
    GLuint list = scene_model_list();
    swarm_at(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    scene_draw(list);
    swarm_at(frames);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
#ifdef QO_ELEMENTS_ON_LAYER
    fixedgl_flush();
    FixedglCounts before = fixedgl_counts();
#endif
    scene_draw(list);
    if (fade > 0) musta(fade);
#ifdef QO_ELEMENTS_ON_LAYER
    fixedgl_flush();
    FixedglCounts after = fixedgl_counts();
    char line[64];
    snprintf(line, sizeof line, "draw_calls %lu", after.draw_calls - before.draw_calls);
    report_layer(line);
#endif
}

void frame_full() { frame(450, 0); }
void frame_fade() { frame(60, 0.4f); }

}  // namespace

const ElementCase kSceneCases[] = {
    {"swarm_first", swarm_first},
    {"swarm_later", swarm_later},
    {"backdrop", backdrop},
    {"rings", rings},
    {"overlay_first", overlay_first},
    {"overlay_second", overlay_second},
    {"fade_half", fade_half},
    {"frame_full", frame_full},
    {"frame_fade", frame_fade},
    {nullptr, nullptr},
};
