// Hand-built models for the tests.
#include "tests/model/hand_model.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace hand {

static void* zeroed(size_t count, size_t size) {
    void* p = calloc(count ? count : 1, size);
    if (!p) abort();
    return p;
}

_GLMmodel* model(const std::vector<GLfloat>& xyz, const std::vector<Corners>& triangles) {
    _GLMmodel* m = (_GLMmodel*)zeroed(1, sizeof(_GLMmodel));
    m->path = strdup("hand.obj");
    m->nvertices = (GLuint)(xyz.size() / 3);
    m->vertices = (GLfloat*)zeroed(m->nvertices + 1, 3 * sizeof(GLfloat));
    std::copy(xyz.begin(), xyz.end(), m->vertices + 3);

    m->ntriangles = (GLuint)triangles.size();
    m->triangles = (ModelTriangle*)zeroed(m->ntriangles, sizeof(ModelTriangle));
    ModelGroup* group = (ModelGroup*)zeroed(1, sizeof(ModelGroup));
    group->name = strdup("default");
    group->ntriangles = m->ntriangles;
    group->triangles = (GLuint*)zeroed(m->ntriangles, sizeof(GLuint));
    for (GLuint i = 0; i < m->ntriangles; i++) {
        for (int k = 0; k < 3; k++) m->triangles[i].vert[k] = triangles[i][k];
        group->triangles[i] = i;
    }
    m->groups = group;
    m->ngroups = 1;
    return m;
}

ModelGroup* add_group(_GLMmodel* model, const char* name, const std::vector<GLuint>& triangles, GLuint material) {
    for (ModelGroup* g = model->groups; g; g = g->next) {
        GLuint kept = 0;
        for (GLuint i = 0; i < g->ntriangles; i++)
            if (std::find(triangles.begin(), triangles.end(), g->triangles[i]) == triangles.end())
                g->triangles[kept++] = g->triangles[i];
        g->ntriangles = kept;
    }
    ModelGroup* group = (ModelGroup*)zeroed(1, sizeof(ModelGroup));
    group->name = strdup(name);
    group->ntriangles = (GLuint)triangles.size();
    group->triangles = (GLuint*)zeroed(triangles.size(), sizeof(GLuint));
    std::copy(triangles.begin(), triangles.end(), group->triangles);
    group->material = material;
    group->next = model->groups;
    model->groups = group;
    model->ngroups++;
    return group;
}

void add_materials(_GLMmodel* model, GLuint count) {
    model->nmaterials = count;
    model->materials = (ModelMaterial*)zeroed(count, sizeof(ModelMaterial));
    for (GLuint m = 0; m < count; m++) {
        ModelMaterial* mat = &model->materials[m];
        mat->name = strdup(m == 0 ? "default" : "other");
        GLfloat f = m / 8.0f;
        const GLfloat diffuse[4] = {f, 0.25f, 0.5f, 1}, ambient[4] = {0.125f, f, 0.75f, 1},
                      specular[4] = {0.5f, 0.5f, f, 1};
        memcpy(mat->diffuse, diffuse, sizeof diffuse);
        memcpy(mat->ambient, ambient, sizeof ambient);
        memcpy(mat->specular, specular, sizeof specular);
        mat->shininess = 8.0f * m + 1;
    }
}

void set_normals(_GLMmodel* model, const std::vector<GLfloat>& xyz) {
    free(model->normals);
    model->nnormals = (GLuint)(xyz.size() / 3);
    model->normals = (GLfloat*)zeroed(model->nnormals + 1, 3 * sizeof(GLfloat));
    std::copy(xyz.begin(), xyz.end(), model->normals + 3);
}

void set_texcoords(_GLMmodel* model, const std::vector<GLfloat>& uv) {
    free(model->texcoords);
    model->ntexcoords = (GLuint)(uv.size() / 2);
    model->texcoords = (GLfloat*)zeroed(model->ntexcoords + 1, 2 * sizeof(GLfloat));
    std::copy(uv.begin(), uv.end(), model->texcoords + 2);
}

_GLMmodel* cube() {
    // Vertex 1 + (x > 0) + 2 (y > 0) + 4 (z > 0).
    std::vector<GLfloat> xyz;
    for (int i = 0; i < 8; i++) {
        xyz.push_back(i & 1 ? 1.0f : -1.0f);
        xyz.push_back(i & 2 ? 1.0f : -1.0f);
        xyz.push_back(i & 4 ? 1.0f : -1.0f);
    }
    // Each face as a quad counter-clockwise from outside, split 0-1-2, 0-2-3.
    const int quads[6][4] = {{1, 5, 7, 3}, {2, 4, 8, 6}, {1, 2, 6, 5},
                             {3, 7, 8, 4}, {1, 3, 4, 2}, {5, 6, 8, 7}};
    std::vector<Corners> triangles;
    for (const auto& q : quads) {
        triangles.push_back({q[0], q[1], q[2]});
        triangles.push_back({q[0], q[2], q[3]});
    }
    return model(xyz, triangles);
}

unsigned bits(GLfloat f) {
    unsigned u;
    memcpy(&u, &f, sizeof u);
    return u;
}

}  // namespace hand
