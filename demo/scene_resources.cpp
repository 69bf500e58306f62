// Loading the scene's model and pictures, and compiling the model's list.
#include "demo/scene_resources.h"

#include "demo/scene.h"
#include "image/rgb_image.h"

_GLMmodel* pmodel = nullptr;
GLuint TextureArray[20];

// Read before any window exists; the library ends the process on a missing file.
void scene_prepare_model() {
    pmodel = glmReadOBJ("met1.obj");
    glmUnitize(pmodel);
    glmFacetNormals(pmodel);
    glmVertexNormals(pmodel, 90.0f);
}

// Each load ends the process after its message when the picture cannot be decoded.
void scene_load_textures() {
    BMP_Texture(TextureArray, "2.bmp", 2);
    BMP_Texture(TextureArray, "te1.bmp", 3);
    BMP_Texture(TextureArray, "te2.bmp", 4);
}

// Opaque black, 120 times the unitized size, with vertex normals and, when
// the model has them, its materials (which switches GL_COLOR_MATERIAL off
// for the rest of the run at the first replay).
GLuint scene_model_list() {
    GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glScalef(120, 120, 120);
    glColor4f(0, 0, 0, 1);
    glmDraw(pmodel, DRAW_SMOOTH | DRAW_MATERIAL);
    glPopMatrix();
    glEndList();
    return list;
}
