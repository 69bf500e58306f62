// The scene's model and textures, loaded once and kept for the whole run.
#ifndef QO_DEMO_SCENE_RESOURCES_H
#define QO_DEMO_SCENE_RESOURCES_H

#include <GL/gl.h>

#include "model/include2.h"

extern _GLMmodel* pmodel;
extern GLuint TextureArray[20];  // slots 2 (backdrop), 3 and 4 (overlays) used

#endif
