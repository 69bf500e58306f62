// Generated texture coordinates: sphere-map values from the normals' directions,
// and the planar projection on x and z.
#define _USE_MATH_DEFINES  // M_PI on Windows too
#include <gtest/gtest.h>
#include <math.h>

#include <limits>

#include "model/include2.h"
#include "tests/model/built_model.h"

namespace {

// The six axis directions, each normal used by one corner of two triangles.
_GLMmodel* axisModel() {
    _GLMmodel* model = built::newModel({0, 0, 0, 1, 0, 0, 0, 1, 0});
    built::setNormals(model, {1, 0, 0, -1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, -1, 0, -1, 0});
    built::addTriangle(model, {1, 2, 3}, {1, 2, 3});
    built::addTriangle(model, {1, 2, 3}, {4, 5, 6});
    built::addGroup(model, "default", {1});
    built::addGroup(model, " first", {0});
    return model;
}

GLfloat s(const _GLMmodel* model, int i) { return model->texcoords[2 * i]; }
GLfloat t(const _GLMmodel* model, int i) { return model->texcoords[2 * i + 1]; }

TEST(SpheremapTexture, AxisDirectionsGiveTheKnownCoordinates) {
    _GLMmodel* model = axisModel();
    glmSpheremapTexture(model);

    ASSERT_EQ(model->ntexcoords, 6u);
    // (1, 0, 0) and (-1, 0, 0): r is 0, so both are (0, 0).
    EXPECT_EQ(s(model, 1), 0.0f);
    EXPECT_EQ(t(model, 1), 0.0f);
    EXPECT_EQ(s(model, 2), 0.0f);
    EXPECT_EQ(t(model, 2), 0.0f);
    // (0, 1, 0): (1, 0.5).
    EXPECT_EQ(s(model, 3), 1.0f);
    EXPECT_EQ(t(model, 3), 0.5f);
    // (0, 0, 1) and (0, 0, -1): theta is the float two steps below pi/2.
    EXPECT_EQ(s(model, 4), 0.49999994f);
    EXPECT_EQ(t(model, 4), 0.5f);
    EXPECT_EQ(s(model, 5), 0.49999994f);
    EXPECT_EQ(t(model, 5), 0.5f);
    // (0, -1, 0): asin(-1) + 1.570796325 is a little below 0.
    EXPECT_LT(s(model, 6), 0.0f);
    EXPECT_NEAR(s(model, 6), -5.7e-10f, 0.1e-10f);
    EXPECT_EQ(t(model, 6), 0.5f);
    glmDelete(model);
}

TEST(SpheremapTexture, GeneralDirectionFollowsTheFormula) {
    _GLMmodel* model = built::newModel({0, 0, 0});
    built::setNormals(model, {0.6f, 0.0f, 0.8f, 0.48f, 0.6f, 0.64f});
    glmSpheremapTexture(model);
    // phi = acos(x / rho) with rho = 1; theta from asin(y / r).
    EXPECT_FLOAT_EQ(t(model, 1), (float)(acos(0.6) / M_PI));
    EXPECT_EQ(s(model, 1), 0.49999994f);  // y exactly 0 takes the constant
    EXPECT_FLOAT_EQ(t(model, 2), (float)(acos(0.48) / M_PI));
    EXPECT_FLOAT_EQ(s(model, 2), (float)((asin(0.6 / sqrt(0.6 * 0.6 + 0.64 * 0.64)) + M_PI / 2) / M_PI));
    glmDelete(model);
}

TEST(SpheremapTexture, NaNComponentTakesTheComputingBranch) {
    _GLMmodel* model = built::newModel({0, 0, 0});
    const GLfloat nan = std::numeric_limits<GLfloat>::quiet_NaN();
    built::setNormals(model, {nan, 1, 0});
    glmSpheremapTexture(model);
    EXPECT_TRUE(isnan(t(model, 1)));  // rho, and so phi, is NaN
    EXPECT_EQ(s(model, 1), 1.0f);     // r is 1: theta as for (0, 1, 0)
    glmDelete(model);
}

TEST(SpheremapTexture, ReplacesFileCoordinatesAndRepointsGroupedTriangles) {
    _GLMmodel* model = axisModel();
    built::setTexcoords(model, {0.25f, 0.75f, 0.5f, 0.5f});
    model->triangles[0].tex[0] = model->triangles[0].tex[1] = model->triangles[0].tex[2] = 2;
    glmSpheremapTexture(model);
    EXPECT_EQ(model->ntexcoords, model->nnormals);
    for (int i = 0; i < 2; i++)
        for (int c = 0; c < 3; c++) EXPECT_EQ(model->triangles[i].tex[c], model->triangles[i].norm[c]);
    glmDelete(model);
}

TEST(SpheremapTextureDeathTest, NeedsModelAndNormals) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    _GLMmodel* model = built::newModel({0, 0, 0});
    EXPECT_DEATH(glmSpheremapTexture(model), "include2.*model->normals");
    EXPECT_DEATH(glmSpheremapTexture(nullptr), "include2.*model");
    glmDelete(model);
}

// --- planar projection --------------------------------------------------------

TEST(LinearTexture, UnitizedModelProjectsXAndZIntoTheUnitSquare) {
    // Widest on x (-3 to 5); after glmUnitize x spans -1 to 1, y and z scale by 1/4.
    _GLMmodel* model = built::newModel({-3, -1, 0, 5, 1, 0, 1, 0, 1, 1, 0.5f, -1});
    built::addTriangle(model, {1, 2, 3}, {0, 0, 0}, {4, 4, 4});
    built::addTriangle(model, {2, 3, 4});
    built::addGroup(model, "default", {0, 1});
    built::setTexcoords(model, {0.3f, 0.3f});
    glmUnitize(model);
    ASSERT_EQ(model->vertices[3], -1.0f);
    ASSERT_EQ(model->vertices[6], 1.0f);

    glmLinearTexture(model);

    ASSERT_EQ(model->ntexcoords, 4u);
    EXPECT_EQ(s(model, 1), 0.0f);  // (-1, y, 0)
    EXPECT_EQ(t(model, 1), 0.5f);
    EXPECT_EQ(s(model, 2), 1.0f);  // (1, y, 0)
    EXPECT_EQ(t(model, 2), 0.5f);
    EXPECT_EQ(s(model, 3), 0.5f);  // (0, 0, 0.25)
    EXPECT_EQ(t(model, 3), 0.625f);
    EXPECT_EQ(s(model, 4), 0.5f);  // (0, 0.125, -0.25)
    EXPECT_EQ(t(model, 4), 0.375f);
    for (int i = 0; i < 2; i++)
        for (int c = 0; c < 3; c++) EXPECT_EQ(model->triangles[i].tex[c], model->triangles[i].vert[c]);
    glmDelete(model);
}

TEST(LinearTexture, PositionsAreNotRecentred) {
    // Extent on x is |3| + |1| = 4, so the scale is 0.5 and s runs past 1.
    _GLMmodel* model = built::newModel({1, 0, 0, 3, 0, 0});
    glmLinearTexture(model);
    EXPECT_EQ(s(model, 1), 0.75f);
    EXPECT_EQ(s(model, 2), 1.25f);
    EXPECT_EQ(t(model, 2), 0.5f);
    glmDelete(model);
}

TEST(LinearTextureDeathTest, NeedsModelAndVertices) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(glmLinearTexture(nullptr), "include2.*model");
    _GLMmodel* model = built::newModel({0, 0, 0});
    free(model->vertices);
    model->vertices = nullptr;
    EXPECT_DEATH(glmLinearTexture(model), "include2.*model->vertices");
    glmDelete(model);
}

}  // namespace
