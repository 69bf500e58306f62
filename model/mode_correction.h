/* mode_correction.h: the mode that drawing and writing correct before they
 * start, the same steps for both with their own warnings. */
#ifndef QO_MODEL_MODE_CORRECTION_H
#define QO_MODEL_MODE_CORRECTION_H

#include "model/include2.h"

/* Removes from `mode` every flag the model cannot serve or that conflicts
 * with another, in a fixed order, each printing its line of `warnings` on
 * standard output: flat without facet normals, smooth without normals,
 * texture without coordinates, flat beside smooth, colour without
 * materials, material without materials, colour beside material. An array
 * counts as present when its pointer is set. Other bits, those above
 * DRAW_MATERIAL included, stay and do nothing. */
GLuint glm_correct_mode(const _GLMmodel* model, GLuint mode, const char* const warnings[7]);

#endif
