// Vector operations on three floats, and the library's assertion report.
#include <math.h>

#include <gtest/gtest.h>

#include "model/include2.h"
#include "tests/model/hand_model.h"

using hand::bits;

TEST(Max, EqualValuesGiveTheFirstArgument) {
    EXPECT_EQ(bits(glmMax(0.0f, -0.0f)), bits(0.0f));
    EXPECT_EQ(bits(glmMax(-0.0f, 0.0f)), bits(-0.0f));
    EXPECT_EQ(glmMax(1.0f, 2.0f), 2.0f);
    EXPECT_EQ(glmMax(2.0f, 1.0f), 2.0f);
}

TEST(Max, NotANumberOnEitherSideGivesTheFirstArgument) {
    EXPECT_TRUE(isnan(glmMax(NAN, 1.0f)));
    EXPECT_EQ(glmMax(1.0f, NAN), 1.0f);
}

TEST(Abs, NegatesOnlyWhatIsBelowZero) {
    EXPECT_EQ(glmAbs(-2.5f), 2.5f);
    EXPECT_EQ(glmAbs(2.5f), 2.5f);
    EXPECT_EQ(bits(glmAbs(-0.0f)), bits(-0.0f));  // -0 is not below 0
    EXPECT_EQ(glmAbs(-INFINITY), INFINITY);
}

TEST(Dot, SumsTheProductsInFloat) {
    GLfloat u[3] = {1, 2, 3}, v[3] = {4, -5, 6};
    EXPECT_EQ(glmDot(u, v), 12.0f);
    // Float, not double: 1e20 * 1e20 overflows.
    GLfloat big[3] = {1e20f, 0, 0};
    EXPECT_EQ(glmDot(big, big), INFINITY);
}

TEST(Cross, UnitAxes) {
    GLfloat x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, n[3];
    glmCross(x, y, n);
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_EQ(n[1], 0.0f);
    EXPECT_EQ(n[2], 1.0f);
    glmCross(y, x, n);
    EXPECT_EQ(n[2], -1.0f);
}

TEST(Cross, StoresEachComponentAsSoonAsItIsComputed) {
    // With n sharing u, the later components see the earlier results.
    GLfloat u[3] = {1, 2, 3}, v[3] = {4, 5, 6};
    glmCross(u, v, u);
    const GLfloat x = 2.0f * 6 - 3.0f * 5;  // -3
    const GLfloat y = 3.0f * 4 - x * 6;     // uses the new u.x
    const GLfloat z = x * 5 - y * 4;
    EXPECT_EQ(u[0], x);
    EXPECT_EQ(u[1], y);
    EXPECT_EQ(u[2], z);
}

TEST(Normalize, ThreeFourFive) {
    GLfloat v[3] = {3, 0, 4};
    glmNormalize(v);
    EXPECT_EQ(v[0], 0.6f);
    EXPECT_EQ(v[1], 0.0f);
    EXPECT_EQ(v[2], 0.8f);
}

TEST(Normalize, ZeroVectorGivesNonFiniteComponents) {
    GLfloat v[3] = {0, 0, 0};
    glmNormalize(v);
    for (GLfloat c : v) EXPECT_FALSE(isfinite(c));
}

TEST(Normalize, LengthIsTakenInDouble) {
    // Squares beyond float range or below it still give a unit vector.
    GLfloat big[3] = {1e20f, 1e20f, 0};
    glmNormalize(big);
    EXPECT_EQ(big[0], (GLfloat)(1e20f / (GLfloat)sqrt(2e40)));
    EXPECT_NEAR(big[0], 0.70710678f, 1e-7);
    GLfloat tiny[3] = {0, 0, 1e-30f};
    glmNormalize(tiny);
    EXPECT_EQ(tiny[2], 1.0f);
}

TEST(Equal, DifferenceEqualToEpsilonIsNotEqual) {
    GLfloat u[3] = {1, 2, 3};
    GLfloat v[3] = {1.5f, 2, 3};
    EXPECT_FALSE(glmEqual(u, v, 0.5f));
    EXPECT_TRUE(glmEqual(u, v, 0.5000001f));
    GLfloat w[3] = {1, 2, 3.5f};
    EXPECT_FALSE(glmEqual(u, w, 0.5f));  // the last component alone decides too
}

TEST(Equal, ZeroEpsilonRejectsEverything) {
    GLfloat u[3] = {1, 2, 3};
    GLfloat same[3] = {1, 2, 3};
    EXPECT_FALSE(glmEqual(u, same, 0));
    EXPECT_FALSE(glmEqual(u, u, 0));
}

TEST(Equal, DifferenceIsTakenInFloat) {
    // 1e8 - 1 is 99999999 in double but rounds to 1e8 in float, which is not
    // below an epsilon of 1e8.
    GLfloat u[3] = {1e8f, 0, 0}, v[3] = {1, 0, 0};
    EXPECT_FALSE(glmEqual(u, v, 1e8f));
    EXPECT_TRUE(glmEqual(u, v, 100000008.0f));
    GLfloat nan[3] = {NAN, 0, 0};
    EXPECT_FALSE(glmEqual(u, nan, 1e30f));
}

// The report names the failed expression and the library's header.
TEST(VectorDeathTest, NullArgumentsNameTheArgument) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    GLfloat v[3] = {1, 2, 3}, n[3];
    EXPECT_DEATH(glmDot(nullptr, v), "include2.h:.*: .*Assertion `u' failed");
    EXPECT_DEATH(glmDot(v, nullptr), "include2.h:.*: .*Assertion `v' failed");
    EXPECT_DEATH(glmCross(nullptr, v, n), "Assertion `u' failed");
    EXPECT_DEATH(glmCross(v, nullptr, n), "Assertion `v' failed");
    EXPECT_DEATH(glmCross(v, v, nullptr), "include2.h:.*: .*Assertion `n' failed");
    EXPECT_DEATH(glmNormalize(nullptr), "include2.h:.*: .*Assertion `v' failed");
}
