// Welding: the worked examples, glmWeld on a model, and the grid search
// against a plain implementation of the quadratic algorithm, bit for bit.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "model/include2.h"
#include "tests/model/built_model.h"
#include "tests/support/weld_reference.h"

namespace {

// Vectors as glmWeldVectors takes them: triple 0 unused, then the given ones.
std::vector<GLfloat> vectorsOf(std::initializer_list<GLfloat> values) {
    std::vector<GLfloat> v(3, 0.0f);
    v.insert(v.end(), values);
    return v;
}


struct Welded {
    GLuint count;
    std::vector<GLfloat> unique;  // the returned array, all n + 1 triples
    std::vector<GLfloat> input;   // the input afterwards (x overwritten)
};

Welded weldWith(GLfloat* (*weld)(GLfloat*, GLuint*, GLfloat), std::vector<GLfloat> input, GLfloat epsilon) {
    GLuint n = (GLuint)(input.size() / 3 - 1);
    GLuint count = n;
    GLfloat* result = weld(input.data(), &count, epsilon);
    Welded w{count, std::vector<GLfloat>(result, result + 3 * (n + 1)), input};
    free(result);
    return w;
}

// Bitwise equality over float arrays (NaNs included).
void expectSameBits(const std::vector<GLfloat>& a, const std::vector<GLfloat>& b, size_t floats) {
    ASSERT_GE(a.size(), floats);
    ASSERT_GE(b.size(), floats);
    for (size_t i = 0; i < floats; i++) {
        uint32_t x, y;
        memcpy(&x, &a[i], 4);
        memcpy(&y, &b[i], 4);
        if (x != y) {
            ADD_FAILURE() << "float " << i << " differs: " << a[i] << " vs " << b[i];
            return;
        }
    }
}

void expectSameAsDirect(const std::vector<GLfloat>& input, GLfloat epsilon) {
    Welded grid = weldWith(glmWeldVectors, input, epsilon);
    Welded direct = weldWith(weldDirectly, input, epsilon);
    ASSERT_EQ(grid.count, direct.count) << "epsilon " << epsilon;
    // The unique vectors, and the input's overwritten x components.
    expectSameBits(grid.unique, direct.unique, 3 * ((size_t)direct.count + 1));
    expectSameBits(grid.input, direct.input, input.size());
}

TEST(WeldVectors, MergesIntoTheEarliestUniqueVectorWithoutAveraging) {
    std::vector<GLfloat> v = vectorsOf({0, 0, 0, 0.05f, 0, 0, 1, 0, 0, 0.08f, 0, 0});
    GLuint count = 4;
    GLfloat* unique = glmWeldVectors(v.data(), &count, 0.1f);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(unique[3], 0.0f);
    EXPECT_EQ(unique[4], 0.0f);
    EXPECT_EQ(unique[5], 0.0f);
    EXPECT_EQ(unique[6], 1.0f);
    EXPECT_EQ(unique[7], 0.0f);
    EXPECT_EQ(unique[8], 0.0f);
    EXPECT_EQ(v[3], 1.0f);
    EXPECT_EQ(v[6], 1.0f);
    EXPECT_EQ(v[9], 2.0f);
    EXPECT_EQ(v[12], 1.0f);
    free(unique);
}

TEST(WeldVectors, ChainsMergeOnlyAsFarAsTheUniqueVector) {
    std::vector<GLfloat> v = vectorsOf({0, 0, 0, 0.06f, 0, 0, 0.12f, 0, 0});
    GLuint count = 3;
    GLfloat* unique = glmWeldVectors(v.data(), &count, 0.1f);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(unique[6], 0.12f);
    EXPECT_EQ(v[3], 1.0f);
    EXPECT_EQ(v[6], 1.0f);
    EXPECT_EQ(v[9], 2.0f);
    free(unique);
}

TEST(WeldVectors, ComparisonIsStrictInEveryComponent) {
    // 0.5 apart exactly in y: not within 0.5.
    std::vector<GLfloat> v = vectorsOf({1, 0, 3, 1, 0.5f, 3, 1, 0.25f, 3});
    GLuint count = 3;
    GLfloat* unique = glmWeldVectors(v.data(), &count, 0.5f);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(v[6], 2.0f);
    EXPECT_EQ(v[9], 1.0f);
    free(unique);
}

TEST(WeldVectors, EpsilonZeroNegativeOrNaNMergesNothing) {
    for (GLfloat epsilon : {0.0f, -0.0f, -1.0f, std::numeric_limits<GLfloat>::quiet_NaN()}) {
        std::vector<GLfloat> v = vectorsOf({2, 2, 2, 2, 2, 2, 2, 2, 2});
        GLuint count = 3;
        GLfloat* unique = glmWeldVectors(v.data(), &count, epsilon);
        EXPECT_EQ(count, 3u) << epsilon;
        EXPECT_EQ(v[3], 1.0f);
        EXPECT_EQ(v[6], 2.0f);
        EXPECT_EQ(v[9], 3.0f);
        for (int i = 3; i < 12; i++) EXPECT_EQ(unique[i], 2.0f);
        free(unique);
    }
}

TEST(WeldVectors, EmptyInputGivesNoUniqueVectors) {
    std::vector<GLfloat> v = vectorsOf({});
    GLuint count = 0;
    GLfloat* unique = glmWeldVectors(v.data(), &count, 1.0f);
    ASSERT_NE(unique, nullptr);
    EXPECT_EQ(count, 0u);
    free(unique);
}

TEST(WeldVectors, NonFiniteComponentsNeverMerge) {
    const GLfloat inf = std::numeric_limits<GLfloat>::infinity(), nan = std::numeric_limits<GLfloat>::quiet_NaN();
    std::vector<GLfloat> v = vectorsOf({inf, 0, 0, inf, 0, 0, 0, nan, 0, 0, nan, 0, 1, 1, 1, 1, 1, 1});
    GLuint count = 6;
    GLfloat* unique = glmWeldVectors(v.data(), &count, 1.0f);
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(v[3 * 6], 5.0f);
    free(unique);
}

// --- the grid against the plain algorithm -----------------------------------

std::vector<GLfloat> uniformCloud(std::mt19937& rng, size_t n, float extent) {
    std::uniform_real_distribution<float> d(-extent, extent);
    std::vector<GLfloat> v(3, 0.0f);
    for (size_t i = 0; i < 3 * n; i++) v.push_back(d(rng));
    return v;
}

// Points scattered around a few centres, at distances near epsilon.
std::vector<GLfloat> clusteredCloud(std::mt19937& rng, size_t n, float epsilon) {
    std::uniform_real_distribution<float> centre(-1, 1), jitter(-1.5f * epsilon, 1.5f * epsilon);
    std::vector<GLfloat> centres;
    for (int i = 0; i < 3 * 8; i++) centres.push_back(centre(rng));
    std::uniform_int_distribution<int> pick(0, 7);
    std::vector<GLfloat> v(3, 0.0f);
    for (size_t i = 0; i < n; i++) {
        int c = pick(rng);
        for (int k = 0; k < 3; k++) v.push_back(centres[3 * c + k] + jitter(rng));
    }
    return v;
}

// Points on lines, each a little under epsilon from the previous one, walked
// in a shuffled order so that which point becomes unique depends on the order.
std::vector<GLfloat> chainCloud(std::mt19937& rng, size_t n, float epsilon) {
    std::vector<GLfloat> points;
    std::uniform_real_distribution<float> start(-1, 1);
    for (size_t i = 0; i < n; i++) {
        if (i % 50 == 0)
            for (int k = 0; k < 3; k++) points.push_back(start(rng));
        else
            for (int k = 0; k < 3; k++)
                points.push_back(points[points.size() - 3] + (k == 0 ? 0.6f * epsilon : 0.3f * epsilon));
    }
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; i++) order[i] = i;
    std::shuffle(order.begin() + n / 2, order.end(), rng);  // half in chain order, half shuffled
    std::vector<GLfloat> v(3, 0.0f);
    for (size_t i : order)
        for (int k = 0; k < 3; k++) v.push_back(points[3 * i + k]);
    return v;
}

// Coordinates on exact multiples of epsilon: differences equal to epsilon and
// points on cell borders.
std::vector<GLfloat> latticeCloud(std::mt19937& rng, size_t n, float epsilon) {
    std::uniform_int_distribution<int> step(-6, 6);
    std::vector<GLfloat> v(3, 0.0f);
    for (size_t i = 0; i < 3 * n; i++) v.push_back(step(rng) * epsilon);
    return v;
}

TEST(WeldGrid, MatchesThePlainAlgorithmOnUniformClouds) {
    std::mt19937 rng(1);
    for (float epsilon : {0.001f, 0.01f, 0.1f, 0.5f, 3.0f})
        expectSameAsDirect(uniformCloud(rng, 3000, 1.0f), epsilon);
}

TEST(WeldGrid, MatchesThePlainAlgorithmOnClusters) {
    std::mt19937 rng(2);
    for (float epsilon : {0.01f, 0.05f, 0.2f}) expectSameAsDirect(clusteredCloud(rng, 3000, epsilon), epsilon);
}

TEST(WeldGrid, MatchesThePlainAlgorithmOnChains) {
    std::mt19937 rng(3);
    for (float epsilon : {0.01f, 0.1f}) expectSameAsDirect(chainCloud(rng, 3000, epsilon), epsilon);
}

TEST(WeldGrid, MatchesThePlainAlgorithmOnLattices) {
    std::mt19937 rng(4);
    for (float epsilon : {0.125f, 0.1f, 1.0f}) expectSameAsDirect(latticeCloud(rng, 2000, epsilon), epsilon);
}

TEST(WeldGrid, MatchesThePlainAlgorithmWithNonFiniteComponents) {
    std::mt19937 rng(5);
    std::vector<GLfloat> v = clusteredCloud(rng, 2000, 0.05f);
    const GLfloat specials[] = {std::numeric_limits<GLfloat>::infinity(), -std::numeric_limits<GLfloat>::infinity(),
                                std::numeric_limits<GLfloat>::quiet_NaN()};
    for (size_t i = 3; i < v.size(); i += 37) v[i] = specials[i % 3];
    expectSameAsDirect(v, 0.05f);
}

TEST(WeldGrid, MatchesThePlainAlgorithmForExtremeEpsilons) {
    std::mt19937 rng(6);
    const GLfloat inf = std::numeric_limits<GLfloat>::infinity();
    for (GLfloat epsilon : {1e-30f, 1e-45f, 1e-7f, 1e30f, 3.4e38f, inf}) {
        expectSameAsDirect(clusteredCloud(rng, 1500, 1e-6f), epsilon);
        // Huge coordinates, whose differences overflow to infinity.
        expectSameAsDirect(uniformCloud(rng, 1500, 3e38f), epsilon);
    }
}

TEST(WeldGrid, MatchesThePlainAlgorithmWithCoordinatesOfEveryScale) {
    std::mt19937 rng(7);
    std::vector<GLfloat> v = clusteredCloud(rng, 2000, 0.01f);
    std::uniform_int_distribution<int> exponent(-60, 60);
    for (size_t i = 3; i < v.size(); i += 5) v[i] = ldexpf(v[i], exponent(rng));
    for (float epsilon : {1e-20f, 0.01f, 1e10f}) expectSameAsDirect(v, epsilon);
}

// --- glmWeld on a model ------------------------------------------------------

TEST(Weld, RenumbersCornersAndKeepsFirstPositions) {
    _GLMmodel* model = built::newModel({0, 0, 0, 1, 0, 0, 0.01f, 0, 0, 1, 1, 0, 1.01f, 0, 0});
    built::setNormals(model, {0, 0, 1});
    built::addTriangle(model, {1, 2, 4}, {1, 1, 1});
    built::addTriangle(model, {3, 5, 4}, {1, 1, 1});
    built::addGroup(model, "default", {0, 1});

    glmWeld(model, 0.05f);

    ASSERT_EQ(model->nvertices, 3u);
    const GLfloat expected[] = {0, 0, 0, 1, 0, 0, 1, 1, 0};
    for (int i = 0; i < 9; i++) EXPECT_EQ(model->vertices[3 + i], expected[i]) << i;
    EXPECT_EQ(model->triangles[0].vert[0], 1);
    EXPECT_EQ(model->triangles[0].vert[1], 2);
    EXPECT_EQ(model->triangles[0].vert[2], 3);
    EXPECT_EQ(model->triangles[1].vert[0], 1);
    EXPECT_EQ(model->triangles[1].vert[1], 2);
    EXPECT_EQ(model->triangles[1].vert[2], 3);
    // Normals and the triangles' other indices are not touched.
    EXPECT_EQ(model->nnormals, 1u);
    EXPECT_EQ(model->triangles[1].norm[2], 1);
    glmDelete(model);
}

TEST(Weld, CollapsedTriangleStaysInItsGroup) {
    _GLMmodel* model = built::newModel({0, 0, 0, 0.001f, 0, 0, 0, 0.001f, 0, 5, 5, 5});
    built::addTriangle(model, {1, 2, 3});
    built::addTriangle(model, {1, 4, 2});
    ModelGroup* group = built::addGroup(model, " part", {0, 1});

    glmWeld(model, 0.01f);

    EXPECT_EQ(model->nvertices, 2u);
    EXPECT_EQ(model->triangles[0].vert[0], 1);
    EXPECT_EQ(model->triangles[0].vert[1], 1);
    EXPECT_EQ(model->triangles[0].vert[2], 1);
    EXPECT_EQ(model->triangles[1].vert[1], 2);
    EXPECT_EQ(model->ntriangles, 2u);
    EXPECT_EQ(group->ntriangles, 2u);
    glmDelete(model);
}

TEST(Weld, EpsilonZeroLeavesTheModelAsItWas) {
    _GLMmodel* model = built::newModel({1, 2, 3, 1, 2, 3, 4, 5, 6});
    built::addTriangle(model, {3, 2, 1});
    built::addGroup(model, "default", {0});

    glmWeld(model, 0.0f);

    ASSERT_EQ(model->nvertices, 3u);
    const GLfloat expected[] = {1, 2, 3, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 9; i++) EXPECT_EQ(model->vertices[3 + i], expected[i]);
    EXPECT_EQ(model->triangles[0].vert[0], 3);
    EXPECT_EQ(model->triangles[0].vert[1], 2);
    EXPECT_EQ(model->triangles[0].vert[2], 1);
    glmDelete(model);
}

TEST(Weld, CornerNamingNoVertexIsLeftAlone) {
    _GLMmodel* model = built::newModel({0, 0, 0, 0, 0, 0, 1, 1, 1});
    built::addTriangle(model, {2, 9, 0});
    built::addTriangle(model, {3, -4, 1});
    built::addGroup(model, "default", {0, 1});

    glmWeld(model, 0.5f);

    EXPECT_EQ(model->nvertices, 2u);
    EXPECT_EQ(model->triangles[0].vert[0], 1);
    EXPECT_EQ(model->triangles[0].vert[1], 9);
    EXPECT_EQ(model->triangles[0].vert[2], 0);
    EXPECT_EQ(model->triangles[1].vert[0], 2);
    EXPECT_EQ(model->triangles[1].vert[1], -4);
    EXPECT_EQ(model->triangles[1].vert[2], 1);
    glmDelete(model);
}

}  // namespace
