// OBJ reader from arbitrary bytes. The text after a line "%%MTL" (or, without
// one, the whole input) is what every material library reads. A model that is
// returned must keep every index inside its array and every group invariant.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "model/include2.h"
#include "model/read_obj.h"
#include "tests/fuzz/read_outcome.h"

namespace {

void require(bool condition) {
    if (!condition) abort();
}

void check(const _GLMmodel* m) {
    require(m->vertices && m->nfacetnorms == 0 && !m->facetnorms);
    require((m->nnormals == 0) == !m->normals && (m->ntexcoords == 0) == !m->texcoords);
    for (GLuint i = 0; i < m->ntriangles; i++)
        for (int k = 0; k < 3; k++) {
            const ModelTriangle& t = m->triangles[i];
            require(t.vert[k] >= 1 && (GLuint)t.vert[k] <= m->nvertices);
            require(t.norm[k] >= 0 && (GLuint)t.norm[k] <= m->nnormals);
            require(t.tex[k] >= 0 && (GLuint)t.tex[k] <= m->ntexcoords);
        }
    std::vector<int> listed(m->ntriangles, 0);
    GLuint total = 0, groups = 0;
    const ModelGroup* last = nullptr;
    for (const ModelGroup* g = m->groups; g; g = g->next, groups++) {
        for (GLuint i = 0; i < g->ntriangles; i++) {
            require(g->triangles[i] < m->ntriangles);
            listed[g->triangles[i]]++;
        }
        total += g->ntriangles;
        require(m->materials ? g->material < m->nmaterials : g->material == 0);
        last = g;
    }
    require(groups == m->ngroups && total == m->ntriangles && last && strcmp(last->name, "default") == 0);
    for (int n : listed) require(n == 1);
    require(!m->materials || (m->nmaterials >= 1 && strcmp(m->materials[0].name, "default") == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ObjInput input = split_obj_input((const char*)data, size);
    GlmReadFailure failure;
    _GLMmodel* model = glmReadOBJBytes("dir/fuzz.obj", input.text, input.size, obj_input_library, &input, &failure);
    if (model) {
        require(failure.status == 0 && !failure.message);
        check(model);
    } else {
        require(failure.status == 1 && failure.message && (failure.stream == 1 || failure.stream == 2));
    }

    // Reading every face twice (no first-pass face cache) gives the same result.
    GlmReadFailure again;
    GlmReadOptions faces_read_again;
    faces_read_again.face_cache = false;
    _GLMmodel* reread = glm_read_obj_bytes("dir/fuzz.obj", input.text, input.size, obj_input_library, &input, &again,
                                           faces_read_again);
    require(!model == !reread && again.status == failure.status && again.stream == failure.stream);
    require(!model || same_model(model, reread));
    require(same_text(failure.message, again.message));

    if (model) glmDelete(model);
    if (reread) glmDelete(reread);
    free(failure.message);
    free(again.message);
    return 0;
}
