// Applying qo-model's operations to a model, in order.
#include "tools/qo-model/steps.h"

bool applySteps(_GLMmodel* model, const std::vector<Step>& steps, std::string* error) {
    for (const Step& step : steps) {
        switch (step.kind) {
            case STEP_UNITIZE:
                // The bounding box starts from vertex 1.
                if (model->nvertices == 0) {
                    *error = "--unitize needs a model with at least one vertex";
                    return false;
                }
                glmUnitize(model);
                break;
            case STEP_SCALE:
                glmScale(model, step.value);
                break;
            case STEP_REVERSE:
                glmReverseWinding(model);
                break;
            case STEP_FACET_NORMALS:
                glmFacetNormals(model);
                break;
            case STEP_VERTEX_NORMALS:
                // The command line has put --facet-normals before this step.
                glmVertexNormals(model, step.value);
                break;
            case STEP_WELD:
                glmWeld(model, step.value);
                break;
            case STEP_LINEAR_TEXTURE:
                if (model->nvertices == 0) {
                    *error = "--linear-texture needs a model with at least one vertex";
                    return false;
                }
                glmLinearTexture(model);
                break;
            case STEP_SPHEREMAP_TEXTURE:
                if (!model->normals) {
                    *error = "--spheremap-texture needs vertex normals (from the file, or --vertex-normals before it)";
                    return false;
                }
                glmSpheremapTexture(model);
                break;
        }
    }
    return true;
}
