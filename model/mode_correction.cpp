// Correcting a drawing or writing mode to what the model can serve.
#include "model/mode_correction.h"

#include <stdio.h>

GLuint glm_correct_mode(const _GLMmodel* model, GLuint mode, const char* const warnings[7]) {
    /* Each step clears `flag` when it is set, `with` is set too (when given)
     * and the step applies; later steps see the mode the earlier ones left. */
    const struct {
        GLuint flag, with;
        bool applies;
    } steps[7] = {{DRAW_FLAT, 0, !model->facetnorms}, {DRAW_SMOOTH, 0, !model->normals},
                  {DRAW_TEXTURE, 0, !model->texcoords}, {DRAW_FLAT, DRAW_SMOOTH, true},
                  {DRAW_COLOR, 0, !model->materials}, {DRAW_MATERIAL, 0, !model->materials},
                  {DRAW_COLOR, DRAW_MATERIAL, true}};
    for (int i = 0; i < 7; i++) {
        if (!(mode & steps[i].flag) || (steps[i].with && !(mode & steps[i].with)) || !steps[i].applies) continue;
        fputs(warnings[i], stdout);
        mode &= ~steps[i].flag;
    }
    return mode;
}
