// The scene's elements, drawn in this order by scene_draw.
#ifndef QO_DEMO_SCENE_ELEMENTS_H
#define QO_DEMO_SCENE_ELEMENTS_H

#include <GL/gl.h>

void draw_swarm(GLuint model_list);
void draw_backdrop();
void draw_rings();
void draw_overlay(GLuint texture, float x, float y, float half_width, float half_height);

#endif
