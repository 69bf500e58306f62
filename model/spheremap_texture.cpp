// Texture coordinates from the directions of the vertex normals.
#include <math.h>
#include <stdlib.h>

#include "model/include2.h"

void glmSpheremapTexture(_GLMmodel* model) {
    GLM_ASSERT(model);
    GLM_ASSERT(model->normals);

    free(model->texcoords);
    model->ntexcoords = model->nnormals;
    model->texcoords = (GLfloat*)malloc(((size_t)model->nnormals + 1) * 2 * sizeof(GLfloat));
    GLM_ASSERT(model->texcoords);

    for (size_t i = 1; i <= model->nnormals; i++) {
        const double x = model->normals[3 * i + 0];
        const double y = model->normals[3 * i + 1];
        const double z = model->normals[3 * i + 2];
        const GLfloat r = (GLfloat)sqrt(z * z + y * y);
        const GLfloat rho = (GLfloat)sqrt((double)r * r + x * x);
        GLfloat theta, phi;
        // The exact comparisons with 0 let a NaN take the computing branch.
        if (r == 0.0f) {
            theta = 0.0f;
            phi = 0.0f;
        } else {
            // The constants near pi/2 are the ones the coordinates have always
            // been made with: 1.5707964f is the float nearest pi/2, 1.5707961f
            // two steps below it, and 1.570796325 a double short of pi/2.
            if (x == 0.0)
                phi = 1.5707964f;
            else
                phi = (GLfloat)acos(x / rho);
            if (y == 0.0)
                theta = 1.5707961f;
            else
                theta = (GLfloat)(asin(y / r) + 1.570796325);
        }
        model->texcoords[2 * i + 0] = (GLfloat)(theta / 3.14159265);
        model->texcoords[2 * i + 1] = (GLfloat)(phi / 3.14159265);
    }

    for (ModelGroup* group = model->groups; group; group = group->next)
        for (GLuint i = 0; i < group->ntriangles; i++) {
            if (group->triangles[i] >= model->ntriangles) continue;  // names no triangle
            ModelTriangle* t = &model->triangles[group->triangles[i]];
            t->tex[0] = t->norm[0];
            t->tex[1] = t->norm[1];
            t->tex[2] = t->norm[2];
        }
}
