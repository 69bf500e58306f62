// The scene's places in start-up and in the frame. The scene itself is not
// drawn yet: the frame shows the clear colour under the fades.
#include "demo/scene.h"

void scene_prepare_model() {}

void scene_load_textures() {}

void scene_fill_swarm() {}

GLuint scene_model_list() { return 0; }

void scene_draw(GLuint) {}

void scene_advance_swarm() {}
