// The summary that qo-model prints of a model.
#ifndef QO_TOOLS_QO_MODEL_SUMMARY_H
#define QO_TOOLS_QO_MODEL_SUMMARY_H

#include <stdio.h>

#include "model/include2.h"

/* Counts, one "name: value" line each, then the bounding box of the vertex
 * positions ("bounds: none" without vertices). */
void printSummary(FILE* out, const _GLMmodel* model);

#endif
