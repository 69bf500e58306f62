// Applying qo-model's operations to a model, in order.
#ifndef QO_TOOLS_QO_MODEL_STEPS_H
#define QO_TOOLS_QO_MODEL_STEPS_H

#include <string>
#include <vector>

#include "model/include2.h"
#include "tools/qo-model/arguments.h"

/* Runs every step on the model. A step whose precondition the model does not
 * meet (the library would stop on an assertion) is not run: the function
 * returns false with the reason in `error`. */
bool applySteps(_GLMmodel* model, const std::vector<Step>& steps, std::string* error);

#endif
