// The scene: what every frame draws and the fixed data behind it.
#ifndef QO_DEMO_SCENE_H
#define QO_DEMO_SCENE_H

#include <GL/gl.h>

// Each runs at its fixed place in the run loop.
void scene_prepare_model();           // before the window opens
void scene_load_textures();           // after the fixed GL state
void scene_fill_swarm();              // once at start-up
GLuint scene_model_list();            // right after the swarm fill
void scene_draw(GLuint model_list);   // every frame, model-view at identity
void scene_advance_swarm();           // every frame, after the end test

#endif
