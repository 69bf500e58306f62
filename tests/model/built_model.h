// Models built by hand for the writer and utility tests, laid out exactly as
// the reader leaves them (1-based arrays, groups newest first, every block on
// the heap so that glmDelete releases it), and a scratch directory.
#ifndef QO_TESTS_MODEL_BUILT_MODEL_H
#define QO_TESTS_MODEL_BUILT_MODEL_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "model/include2.h"
#include "tests/support/scratch_dir.h"

namespace built {

inline char* copyText(const char* text) {
    char* copy = (char*)malloc(strlen(text) + 1);
    strcpy(copy, text);
    return copy;
}

// A 1-based array of `width`-float records from a flat list of components.
inline GLfloat* oneBased(std::initializer_list<GLfloat> values, size_t width, GLuint* count) {
    *count = (GLuint)(values.size() / width);
    GLfloat* array = (GLfloat*)calloc((values.size() + width), sizeof(GLfloat));
    size_t i = width;
    for (GLfloat v : values) array[i++] = v;
    return array;
}

inline _GLMmodel* newModel(std::initializer_list<GLfloat> vertices) {
    _GLMmodel* model = (_GLMmodel*)calloc(1, sizeof(_GLMmodel));
    model->path = copyText("hand.obj");
    model->vertices = oneBased(vertices, 3, &model->nvertices);
    return model;
}

inline void setNormals(_GLMmodel* model, std::initializer_list<GLfloat> normals) {
    free(model->normals);
    model->normals = oneBased(normals, 3, &model->nnormals);
}

inline void setFacetNormals(_GLMmodel* model, std::initializer_list<GLfloat> normals) {
    free(model->facetnorms);
    model->facetnorms = oneBased(normals, 3, &model->nfacetnorms);
}

inline void setTexcoords(_GLMmodel* model, std::initializer_list<GLfloat> texcoords) {
    free(model->texcoords);
    model->texcoords = oneBased(texcoords, 2, &model->ntexcoords);
}

// Appends a triangle; norm, tex and facet are given per corner / per face.
inline GLuint addTriangle(_GLMmodel* model, std::initializer_list<GLint> vert, std::initializer_list<GLint> norm = {0, 0, 0},
                          std::initializer_list<GLint> tex = {0, 0, 0}, GLint facet = 0) {
    model->triangles = (ModelTriangle*)realloc(model->triangles, (model->ntriangles + 1) * sizeof(ModelTriangle));
    ModelTriangle* t = &model->triangles[model->ntriangles];
    std::copy(vert.begin(), vert.end(), t->vert);
    std::copy(norm.begin(), norm.end(), t->norm);
    std::copy(tex.begin(), tex.end(), t->tex);
    t->facet = facet;
    return model->ntriangles++;
}

// Puts a new group at the head of the list, as the reader does.
inline ModelGroup* addGroup(_GLMmodel* model, const char* name, std::initializer_list<GLuint> triangles,
                            GLuint material = 0) {
    ModelGroup* group = (ModelGroup*)calloc(1, sizeof(ModelGroup));
    group->name = copyText(name);
    group->ntriangles = (GLuint)triangles.size();
    group->triangles = (GLuint*)malloc((triangles.size() + 1) * sizeof(GLuint));
    std::copy(triangles.begin(), triangles.end(), group->triangles);
    group->material = material;
    group->next = model->groups;
    model->groups = group;
    model->ngroups++;
    return group;
}

// Materials with the given names ("default" should come first), each with
// recognisable colours: component c of material i is (i + 1) / 10 + c / 100.
inline void setMaterials(_GLMmodel* model, std::initializer_list<const char*> names, const char* mtllib) {
    model->nmaterials = (GLuint)names.size();
    model->materials = (ModelMaterial*)calloc(names.size(), sizeof(ModelMaterial));
    GLuint i = 0;
    for (const char* name : names) {
        ModelMaterial* m = &model->materials[i];
        m->name = copyText(name);
        for (int c = 0; c < 4; c++) {
            m->diffuse[c] = (i + 1) / 10.0f + c / 100.0f;
            m->ambient[c] = (i + 1) / 10.0f + c / 100.0f + 0.5f;
            m->specular[c] = (i + 1) / 10.0f + c / 100.0f + 0.25f;
        }
        m->shininess = 64.0f;
        i++;
    }
    if (mtllib) model->mtllib = copyText(mtllib);
}

// Read as text: on Windows the writer's lines end in CR LF, as text files
// there do, and come back here as plain line feeds.
inline std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
struct ScratchDir {
    std::string path;
    ScratchDir() { path = make_scratch_dir("qo-model-"); }
    ~ScratchDir() { std::filesystem::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// A directory that a death test and the process that runs its statement agree
// on: in the threadsafe style that process is this binary run again as a child,
// which re-runs the test up to the statement. Named after the test and the
// test process; the parent removes it.
struct DeathDir {
    std::string path;
    explicit DeathDir(const char* name) {
        path = (std::filesystem::temp_directory_path() / ("qo-model-" + std::string(name) + "-" + test_run_id()))
                   .generic_string();
        std::filesystem::create_directories(path);
    }
    ~DeathDir() {
        if (GTEST_FLAG_GET(internal_run_death_test).empty()) std::filesystem::remove_all(path);
    }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

}  // namespace built

#endif
