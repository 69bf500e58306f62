// Sending a model to GL in immediate mode, and recording that into a display list.
#include <stdio.h>

#include "model/include2.h"
#include "model/mode_correction.h"

static const char* const kDrawWarnings[7] = {
    "glmDraw() warning: flat render mode requested with no facet normals defined.\n",
    "glmDraw() warning: smooth render mode requested with no normals defined.\n",
    "glmDraw() warning: texture render mode requested with no texture coordinates defined.\n",
    "glmDraw() warning: flat render mode requested and smooth render mode requested (using smooth).\n",
    "glmDraw() warning: color render mode requested with no materials defined.\n",
    "glmDraw() warning: material render mode requested with no materials defined.\n",
    "glmDraw() warning: color and material render mode requested using only material mode.\n",
};

void glmDraw(_GLMmodel* model, GLuint mode) {
    GLM_ASSERT(model);
    GLM_ASSERT(model->vertices);

    mode = glm_correct_mode(model, mode, kDrawWarnings);

    if (mode & DRAW_COLOR)
        glEnable(GL_COLOR_MATERIAL);
    else if (mode & DRAW_MATERIAL)
        glDisable(GL_COLOR_MATERIAL);

    const GLfloat* vertices = model->vertices;
    const GLfloat* normals = model->normals;
    const GLfloat* texcoords = model->texcoords;
    const GLfloat* facetnorms = model->facetnorms;

    // Groups in list order: newest first, "default" last.
    for (const ModelGroup* group = model->groups; group; group = group->next) {
        if (mode & (DRAW_COLOR | DRAW_MATERIAL)) {
            const ModelMaterial* material = &model->materials[group->material];
            if (mode & DRAW_MATERIAL) {
                glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material->ambient);
                glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material->diffuse);
                glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material->specular);
                glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material->shininess);
            }
            if (mode & DRAW_COLOR) glColor3fv(material->diffuse);
        }

        glBegin(GL_TRIANGLES);
        for (GLuint i = 0; i < group->ntriangles; i++) {
            const ModelTriangle* triangle = &model->triangles[group->triangles[i]];
            if (mode & DRAW_FLAT) glNormal3fv(&facetnorms[3 * (size_t)triangle->facet]);
            for (int k = 0; k < 3; k++) {
                if (mode & DRAW_SMOOTH) glNormal3fv(&normals[3 * (size_t)triangle->norm[k]]);
                if (mode & DRAW_TEXTURE) glTexCoord2fv(&texcoords[2 * (size_t)triangle->tex[k]]);
                glVertex3fv(&vertices[3 * (size_t)triangle->vert[k]]);
            }
        }
        glEnd();
    }
}

GLuint glmList(_GLMmodel* model, GLuint mode) {
    GLuint list = glGenLists(1);
    // Without a list name, glNewList would fail and the drawing would land on
    // the screen instead: nothing is drawn and 0 is passed on.
    if (list == 0) return 0;
    glNewList(list, GL_COMPILE);
    glmDraw(model, mode);
    glEndList();
    return list;
}
