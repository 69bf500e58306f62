// Releasing models of every shape. What these tests check is, above all, that
// the sanitizer build's leak check finds nothing left and no block freed twice;
// absent arrays with nonzero counts catch a release that follows the count.
#include <gtest/gtest.h>

#include <string>

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

TEST(Delete, ModelsAsReadFromFiles) {
    built::ScratchDir dir;
    built::writeText(dir / "lib.mtl", "newmtl a\nKd 1 0 0\nnewmtl b\n");
    // With a library, normals and texture coordinates; without a library or
    // normals; with nothing but a vertex; empty.
    built::writeText(dir / "full.obj",
                     "mtllib lib.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\nvt 0 0\n"
                     "g x\nusemtl b\nf 1/1/1 2/1/1 3/1/1\ng y\nusemtl a\nf 3/1/1 2/1/1 1/1/1\n");
    built::writeText(dir / "plain.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    built::writeText(dir / "point.obj", "v 1 2 3\n");
    built::writeText(dir / "empty.obj", "");
    for (const char* name : {"full.obj", "plain.obj", "point.obj", "empty.obj"}) {
        _GLMmodel* model = glmReadOBJ((dir / name).c_str());
        ASSERT_NE(model, nullptr) << name;
        EXPECT_EQ(model->materials == nullptr, std::string(name) != "full.obj") << name;
        glmDelete(model);
    }
    // And after every operation that replaces arrays.
    _GLMmodel* model = glmReadOBJ((dir / "full.obj").c_str());
    glmUnitize(model);
    glmFacetNormals(model);
    glmVertexNormals(model, 45.0f);
    glmFacetNormals(model);
    glmVertexNormals(model, 90.0f);
    glmLinearTexture(model);
    glmSpheremapTexture(model);
    glmWeld(model, 0.5f);
    EXPECT_EQ(model->nmaterials, 3u);
    glmDelete(model);
}

TEST(DeleteDeathTest, NullModelIsAnAssertion) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(glmDelete(nullptr), "include2.*model");
}

}  // namespace
