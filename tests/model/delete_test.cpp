// Releasing models of every shape. What these tests check is, above all, that
// the sanitizer build's leak check finds nothing left and no block freed twice;
// absent arrays with nonzero counts catch a release that follows the count.
#include <gtest/gtest.h>

#include "model/include2.h"
#include "tests/model/built_model.h"

namespace {

TEST(Delete, BareModel) {
    _GLMmodel* model = built::newModel({});
    EXPECT_EQ(model->nvertices, 0u);
    glmDelete(model);
}

TEST(Delete, ModelWithEverything) {
    _GLMmodel* model = built::newModel({0, 0, 0, 1, 0, 0, 0, 1, 0});
    built::setNormals(model, {0, 0, 1});
    built::setFacetNormals(model, {0, 0, 1});
    built::setTexcoords(model, {0, 0, 1, 1});
    built::addTriangle(model, {1, 2, 3}, {1, 1, 1}, {1, 2, 1}, 1);
    built::addTriangle(model, {3, 2, 1}, {1, 1, 1}, {1, 2, 1}, 2);
    built::addGroup(model, "default", {0});
    built::addGroup(model, " a", {1}, 1);
    built::addGroup(model, " empty", {});
    built::setMaterials(model, {"default", "red", "green"}, "lib.mtl");
    EXPECT_EQ(model->ngroups, 3u);
    glmDelete(model);
}

TEST(Delete, AbsentArraysAreNotTouchedWhateverTheirCounts) {
    _GLMmodel* model = built::newModel({0, 0, 0});
    model->nnormals = 4;
    model->ntexcoords = 4;
    model->nfacetnorms = 4;
    model->nmaterials = 4;  // no materials array: no names to release
    built::addGroup(model, "default", {});
    EXPECT_EQ(model->materials, nullptr);
    glmDelete(model);
}

TEST(Delete, ModelAfterEveryUtility) {
    _GLMmodel* model = built::newModel({0, 0, 0, 1, 0, 0, 0, 1, 0, 0.001f, 0, 0});
    built::setNormals(model, {0, 0, 1, 0, 1, 0});
    built::setTexcoords(model, {0.5f, 0.5f});
    built::addTriangle(model, {1, 2, 3}, {1, 1, 2});
    built::addTriangle(model, {4, 2, 3}, {1, 2, 2});
    built::addGroup(model, "default", {0, 1});
    glmWeld(model, 0.01f);
    glmSpheremapTexture(model);  // replaces the texture coordinates
    EXPECT_EQ(model->nvertices, 3u);
    EXPECT_EQ(model->ntexcoords, 2u);
    glmDelete(model);
}

TEST(DeleteDeathTest, NullModelIsAnAssertion) { EXPECT_DEATH(glmDelete(nullptr), "include2.*model"); }

}  // namespace
