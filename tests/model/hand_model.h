// Models built by hand for the tests, laid out as the OBJ reader lays them
// out: zero-filled arrays with element 0 allocated, one "default" group at the
// end of the list. Release them with glmDelete.
#ifndef QO_TESTS_MODEL_HAND_MODEL_H
#define QO_TESTS_MODEL_HAND_MODEL_H

#include <array>
#include <vector>

#include "model/include2.h"

namespace hand {

typedef std::array<GLint, 3> Corners;

// Vertices given as x, y, z triples (vertex i + 1 is triple i); triangles by
// their 1-based vertex indices. Every triangle is listed, in order, in one
// group named "default".
_GLMmodel* model(const std::vector<GLfloat>& xyz, const std::vector<Corners>& triangles);

// Puts a new group at the head of the list (so it is drawn first), moving the
// given triangles out of whichever group held them.
ModelGroup* add_group(_GLMmodel* model, const char* name, const std::vector<GLuint>& triangles, GLuint material);

// Gives the model `count` materials; material m has diffuse (m/8, 0.25, 0.5, 1),
// ambient (0.125, m/8, 0.75, 1), specular (0.5, 0.5, m/8, 1), shininess 8 m + 1.
void add_materials(_GLMmodel* model, GLuint count);

// Normals or texture coordinates given as triples or pairs, 1-based as usual.
void set_normals(_GLMmodel* model, const std::vector<GLfloat>& xyz);
void set_texcoords(_GLMmodel* model, const std::vector<GLfloat>& uv);

// The axis-aligned cube [-1, 1]^3: 8 vertices, 12 triangles, two per face,
// every triangle counter-clockwise seen from outside.
_GLMmodel* cube();

// Bit pattern of a float, to compare values exactly (signed zeros and NaNs included).
unsigned bits(GLfloat f);

}  // namespace hand

#endif
