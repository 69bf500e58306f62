// The command line of qo-model, parsed into an ordered list of steps.
#ifndef QO_TOOLS_QO_MODEL_ARGUMENTS_H
#define QO_TOOLS_QO_MODEL_ARGUMENTS_H

#include <string>
#include <vector>

#include "model/include2.h"

enum StepKind { STEP_UNITIZE, STEP_SCALE, STEP_REVERSE, STEP_FACET_NORMALS, STEP_VERTEX_NORMALS,
                STEP_WELD, STEP_LINEAR_TEXTURE, STEP_SPHEREMAP_TEXTURE };

struct Step {
    StepKind kind;
    GLfloat value; /* scale factor, crease angle or epsilon; unused by the others */
};

struct Arguments {
    bool help;
    bool version;
    std::string input;
    std::vector<Step> steps;
    std::string output; /* empty: nothing is written */
    GLuint mode;        /* the write mode */
};

extern const char* const kUsage;

/* Fills `arguments` from argv; on a usage error returns false with a one-line
 * reason in `error`. */
bool parseArguments(int argc, char** argv, Arguments* arguments, std::string* error);

/* A write mode from a comma-separated list of none, flat, smooth, texture,
 * color and material; false for an unknown or empty word. */
bool parseMode(const std::string& text, GLuint* mode);

#endif
