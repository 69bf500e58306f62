// Bounding box, unitize, scale, reverse winding, facet and vertex normals.
#include <math.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/checked_alloc.h"
#include "model/include2.h"
#include "tests/model/hand_model.h"
#include "tests/model/read_helpers.h"

using hand::bits;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

std::vector<GLfloat> vertices_of(const _GLMmodel* m) {
    return std::vector<GLfloat>(m->vertices + 3, m->vertices + 3 * (m->nvertices + 1));
}

std::vector<unsigned> bits_of(const GLfloat* a, size_t n) {
    std::vector<unsigned> b;
    for (size_t i = 0; i < n; i++) b.push_back(bits(a[i]));
    return b;
}

std::vector<GLint> norms_of(const _GLMmodel* m) {
    std::vector<GLint> n;
    for (GLuint i = 0; i < m->ntriangles; i++) n.insert(n.end(), m->triangles[i].norm, m->triangles[i].norm + 3);
    return n;
}

const GLfloat* normal(const _GLMmodel* m, GLint index) { return &m->normals[3 * index]; }
const GLfloat* facet_normal(const _GLMmodel* m, GLuint tri) { return &m->facetnorms[3 * m->triangles[tri].facet]; }

// Vertex normals with the facet normals made first, the warnings swallowed.
std::string facet_and_vertex_normals(_GLMmodel* m, GLfloat angle) {
    glmFacetNormals(m);
    CaptureStderr();
    glmVertexNormals(m, angle);
    return GetCapturedStderr();
}

}  // namespace

// ---- bounding box and unitize ----

TEST(Unitize, BoxAcrossTheOriginIsCentredAndScaled) {
    _GLMmodel* m = hand::model({-1, -2, 0, 3, 2, 1}, {});
    GLfloat d[3];
    glmDimensions(m, d);
    EXPECT_EQ(d[0], 4.0f);
    EXPECT_EQ(d[1], 4.0f);
    EXPECT_EQ(d[2], 1.0f);
    EXPECT_EQ(glmUnitize(m), 0.5f);
    EXPECT_EQ(vertices_of(m), (std::vector<GLfloat>{-1, -1, -0.25f, 1, 1, 0.25f}));
    glmDelete(m);
}

TEST(Unitize, ExtentIsTheSumOfTheBoundsMagnitudes) {
    // A box from 1 to 3 has extent 4, not 2, so the model ends up half size.
    _GLMmodel* m = hand::model({1, 0, 0, 3, 0, 0}, {});
    GLfloat d[3];
    glmDimensions(m, d);
    EXPECT_EQ(d[0], 4.0f);
    EXPECT_EQ(glmUnitize(m), 0.5f);
    EXPECT_EQ(vertices_of(m), (std::vector<GLfloat>{-0.5f, 0, 0, 0.5f, 0, 0}));
    glmDelete(m);
}

TEST(Unitize, SingleVertexMovesToTheOrigin) {
    _GLMmodel* m = hand::model({1, 2, 3}, {});
    GLfloat d[3];
    glmDimensions(m, d);
    EXPECT_EQ(d[0], 2.0f);
    EXPECT_EQ(d[1], 4.0f);
    EXPECT_EQ(d[2], 6.0f);
    EXPECT_EQ(glmUnitize(m), 2.0f / 6.0f);
    EXPECT_EQ(vertices_of(m), (std::vector<GLfloat>{0, 0, 0}));
    glmDelete(m);
}

TEST(Dimensions, LeavesTheModelUnchanged) {
    _GLMmodel* m = hand::model({-1, -2, 0.5f, 3, 2, 1, 0.25f, -7, 2}, {{1, 2, 3}});
    std::vector<unsigned> before = bits_of(m->vertices, 12);
    GLfloat d[3];
    glmDimensions(m, d);
    EXPECT_EQ(bits_of(m->vertices, 12), before);
    EXPECT_EQ(d[1], 9.0f);  // |2| + |-7|
    // The extents are those glmUnitize scales by.
    EXPECT_EQ(glmUnitize(m), 2.0f / 9.0f);
    glmDelete(m);
}

TEST(Dimensions, CoordinateThatIsNotANumberChangesNoBound) {
    _GLMmodel* m = hand::model({0, 0, 0, NAN, 5, 0, 2, 1, 1}, {});
    GLfloat d[3];
    glmDimensions(m, d);
    EXPECT_EQ(d[0], 2.0f);
    EXPECT_EQ(d[1], 5.0f);
    EXPECT_EQ(d[2], 1.0f);
    glmDelete(m);
}

TEST(Dimensions, ModelWithoutVerticesHasZeroExtents) {
    _GLMmodel* m = hand::model({}, {});  // only the unused triple 0 exists
    GLfloat d[3] = {7, 7, 7};
    glmDimensions(m, d);
    EXPECT_EQ(d[0], 0.0f);
    EXPECT_EQ(d[1], 0.0f);
    EXPECT_EQ(d[2], 0.0f);
    EXPECT_EQ(glmUnitize(m), 1.0f);
    glmDelete(m);
}

TEST(Unitize, ZeroExtentsGiveFactorOneAndNoInfinities) {
    _GLMmodel* m = hand::model({0, 0, 0, 0, 0, 0}, {});
    EXPECT_EQ(glmUnitize(m), 1.0f);
    for (GLfloat c : vertices_of(m)) EXPECT_EQ(c, 0.0f);
    glmDelete(m);

    // 2 / (2 * smallest subnormal) overflows float: centred only.
    m = hand::model({1e-45f, 0, 0}, {});
    GLfloat s = glmUnitize(m);
    EXPECT_EQ(s, 1.0f);
    for (GLfloat c : vertices_of(m)) EXPECT_TRUE(isfinite(c));
    glmDelete(m);
}

TEST(Scale, MultipliesPositionsOnly) {
    _GLMmodel* m = hand::model({1, -2, 3, 0.5f, 0, -0.25f}, {{1, 2, 1}});
    hand::set_normals(m, {0, 0, 1});
    hand::set_texcoords(m, {0.5f, 0.5f});
    glmScale(m, 2);
    EXPECT_EQ(vertices_of(m), (std::vector<GLfloat>{2, -4, 6, 1, 0, -0.5f}));
    EXPECT_EQ(m->normals[5], 1.0f);
    EXPECT_EQ(m->texcoords[2], 0.5f);
    glmDelete(m);
}

// ---- reverse winding and facet normals ----

TEST(FacetNormals, CounterClockwiseTriangleFacesPositiveZ) {
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0}, {{1, 2, 3}});
    glmFacetNormals(m);
    ASSERT_EQ(m->nfacetnorms, 1u);
    EXPECT_EQ(m->triangles[0].facet, 1);
    EXPECT_EQ(bits_of(facet_normal(m, 0), 3), (std::vector<unsigned>{bits(0.0f), bits(0.0f), bits(1.0f)}));

    glmReverseWinding(m);
    EXPECT_EQ(m->triangles[0].vert[0], 3);
    EXPECT_EQ(m->triangles[0].vert[2], 1);
    EXPECT_EQ(bits_of(facet_normal(m, 0), 3), (std::vector<unsigned>{bits(-0.0f), bits(-0.0f), bits(-1.0f)}));

    glmFacetNormals(m);  // recomputed from the reversed corners: +0 this time
    EXPECT_EQ(bits_of(facet_normal(m, 0), 3), (std::vector<unsigned>{bits(0.0f), bits(0.0f), bits(-1.0f)}));
    glmDelete(m);
}

TEST(FacetNormals, OnePerTriangleNumberedLikeTheTriangles) {
    _GLMmodel* m = hand::cube();
    glmFacetNormals(m);
    glmFacetNormals(m);  // the second call replaces the first array
    ASSERT_EQ(m->nfacetnorms, 12u);
    for (GLuint i = 0; i < 12; i++) {
        EXPECT_EQ(m->triangles[i].facet, (GLint)i + 1);
        // Unit and pointing out of the cube: along the axis the face's corners share.
        const GLfloat* n = facet_normal(m, i);
        const GLfloat* p = &m->vertices[3 * m->triangles[i].vert[0]];
        EXPECT_EQ(glmDot((GLfloat*)n, (GLfloat*)n), 1.0f);
        EXPECT_EQ(glmDot((GLfloat*)n, (GLfloat*)p), 1.0f);
    }
    glmDelete(m);
}

TEST(FacetNormals, DegenerateTriangleGetsNotANumber) {
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 2, 0, 0}, {{1, 2, 3}});
    glmFacetNormals(m);
    for (int a = 0; a < 3; a++) EXPECT_TRUE(isnan(facet_normal(m, 0)[a]));
    glmDelete(m);
}

TEST(ReverseWinding, TwiceRestoresEveryBit) {
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 1}, {{1, 2, 3}, {2, 4, 3}, {1, 1, 2}});
    hand::set_normals(m, {0, -0.0f, 1, NAN, -3.5f, 1e-40f});
    hand::set_texcoords(m, {0, 1, 0.5f, 0.25f});
    for (GLuint i = 0; i < 3; i++)
        for (int k = 0; k < 3; k++) {
            m->triangles[i].norm[k] = (GLint)(1 + (i + k) % 2);
            m->triangles[i].tex[k] = (GLint)(2 - (i * k) % 2);
        }
    glmFacetNormals(m);  // the third triangle's normal is a NaN

    std::vector<ModelTriangle> triangles(m->triangles, m->triangles + 3);
    std::vector<unsigned> normals = bits_of(m->normals, 9), facets = bits_of(m->facetnorms, 12);

    glmReverseWinding(m);
    for (GLuint i = 0; i < 3; i++) {
        EXPECT_EQ(m->triangles[i].vert[0], triangles[i].vert[2]);
        EXPECT_EQ(m->triangles[i].vert[1], triangles[i].vert[1]);
        EXPECT_EQ(m->triangles[i].vert[2], triangles[i].vert[0]);
        EXPECT_EQ(m->triangles[i].norm[0], triangles[i].norm[2]);
        EXPECT_EQ(m->triangles[i].tex[2], triangles[i].tex[0]);
    }
    for (int i = 3; i < 9; i++) EXPECT_EQ(bits(m->normals[i]), normals[i] ^ 0x80000000u);
    for (int i = 3; i < 12; i++) EXPECT_EQ(bits(m->facetnorms[i]), facets[i] ^ 0x80000000u);

    glmReverseWinding(m);
    EXPECT_EQ(memcmp(m->triangles, triangles.data(), 3 * sizeof(ModelTriangle)), 0);
    EXPECT_EQ(bits_of(m->normals, 9), normals);
    EXPECT_EQ(bits_of(m->facetnorms, 12), facets);
    glmDelete(m);
}

TEST(ReverseWinding, CountsDecideWhichIndicesTurn) {
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0}, {{1, 2, 3}});
    ModelTriangle& t = m->triangles[0];
    t.norm[0] = 7, t.norm[2] = 9, t.tex[0] = 4, t.tex[2] = 6;
    glmReverseWinding(m);  // nnormals and ntexcoords are 0
    EXPECT_EQ(t.norm[0], 7);
    EXPECT_EQ(t.tex[0], 4);

    // A count without its array turns the indices and touches no array.
    m->nnormals = 2;
    m->ntexcoords = 3;
    m->nfacetnorms = 1;
    glmReverseWinding(m);
    EXPECT_EQ(t.norm[0], 9);
    EXPECT_EQ(t.tex[0], 6);
    EXPECT_EQ(t.vert[0], 1);
    glmDelete(m);
}

// ---- vertex normals ----

TEST(VertexNormals, FlatStripSharesOneNormalPerVertex) {
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0}, {{1, 2, 3}, {2, 4, 3}});
    EXPECT_EQ(facet_and_vertex_normals(m, 90), "");
    ASSERT_EQ(m->nnormals, 4u);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{1, 2, 3, 2, 4, 3}));
    for (GLint i = 1; i <= 4; i++) {
        EXPECT_EQ(normal(m, i)[0], 0.0f);
        EXPECT_EQ(normal(m, i)[1], 0.0f);
        EXPECT_EQ(normal(m, i)[2], 1.0f);
    }
    glmDelete(m);
}

// Vertices 1..4 a unit square in z = 0, vertex 5 above vertex 2; the third
// triangle stands upright on the edge 2-4, facing -x.
static _GLMmodel* folded_strip() {
    return hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0, 1, 0, 1}, {{1, 2, 3}, {2, 4, 3}, {2, 5, 4}});
}

TEST(VertexNormals, RightAngleFoldKeepsItsCrease) {
    _GLMmodel* m = folded_strip();
    facet_and_vertex_normals(m, 90);
    // Vertex 1: averaged (t0). Vertex 2, list t2, t1, t0: averaged t2, then
    // copies for t1 and t0. Vertex 3: averaged t1 + t0. Vertex 4, list t2, t1:
    // averaged t2, copy for t1. Vertex 5: averaged t2.
    ASSERT_EQ(m->nnormals, 8u);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{1, 4, 5, 3, 7, 5, 2, 8, 6}));
    const GLfloat up[3] = {0, 0, 1}, side[3] = {-1, 0, 0};
    const GLfloat* expected[8] = {up, side, up, up, up, side, up, side};
    for (GLint i = 1; i <= 8; i++)
        for (int a = 0; a < 3; a++) EXPECT_EQ(normal(m, i)[a], expected[i - 1][a]) << i;
    glmDelete(m);
}

TEST(VertexNormals, WideAngleSmoothsTheFold) {
    _GLMmodel* m = folded_strip();
    facet_and_vertex_normals(m, 180);
    ASSERT_EQ(m->nnormals, 5u);  // one per vertex
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{1, 2, 3, 2, 4, 3, 2, 5, 4}));
    // Vertex 2 averages -x with +z twice: (-1, 0, 2) / sqrt(5).
    EXPECT_NEAR(normal(m, 2)[0], -1 / sqrt(5.0), 1e-7);
    EXPECT_EQ(normal(m, 2)[1], 0.0f);
    EXPECT_NEAR(normal(m, 2)[2], 2 / sqrt(5.0), 1e-7);
    glmDelete(m);
}

TEST(VertexNormals, CubeCornersKeepTheirFaceNormalsAtNinetyDegrees) {
    _GLMmodel* m = hand::cube();
    EXPECT_EQ(facet_and_vertex_normals(m, 90), "");
    GLint last = 0;
    for (GLint j = 1; j <= 8; j++) {
        // Corners of vertex j, in use-list order: descending triangle position.
        std::vector<std::pair<GLuint, int>> corners;
        for (GLint i = 11; i >= 0; i--)
            for (int k = 0; k < 3; k++)
                if (m->triangles[i].vert[k] == j) corners.push_back({(GLuint)i, k});
        ASSERT_FALSE(corners.empty());
        const GLfloat* reference = facet_normal(m, corners[0].first);
        GLint averaged = last + 1;
        GLint copy = averaged;
        for (auto [i, k] : corners) {
            GLint n = m->triangles[i].norm[k];
            // Each corner carries its own face's normal...
            for (int a = 0; a < 3; a++) EXPECT_EQ(normal(m, n)[a], facet_normal(m, i)[a]);
            // ...shared only with the reference face's corners; every other
            // corner has its own copy, the next slot in list order, even when
            // its face's two triangles both meet here.
            if (glmDot((GLfloat*)facet_normal(m, i), (GLfloat*)reference) == 1.0f)
                EXPECT_EQ(n, averaged);
            else
                EXPECT_EQ(n, ++copy);
        }
        last = copy;
    }
    EXPECT_EQ(m->nnormals, (GLuint)last);
    glmDelete(m);
}

TEST(VertexNormals, OppositeFacetStaysApartAtOneEightyDegrees) {
    // t0 faces -y; t1 and t2 are back to back, t1 facing +z, t2 facing -z.
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {{1, 2, 4}, {1, 2, 3}, {1, 3, 2}});
    facet_and_vertex_normals(m, 180);
    // Vertices 1 and 2: the reference t2 joins t0 (dot 0 > -1) but not t1 (dot -1).
    ASSERT_EQ(m->nnormals, 7u);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{1, 3, 7, 2, 4, 6, 1, 5, 3}));
    EXPECT_EQ(normal(m, 2)[2], 1.0f);
    EXPECT_EQ(normal(m, 6)[2], 1.0f);
    EXPECT_NEAR(normal(m, 1)[1], -sqrt(0.5), 1e-7);
    EXPECT_NEAR(normal(m, 1)[2], -sqrt(0.5), 1e-7);
    glmDelete(m);
}

TEST(VertexNormals, ThresholdIsTheDoubleCosineRoundedToFloat) {
    // Facet normals set by hand against the reference (0, 0, 1): at 90 degrees
    // the threshold is 6.123234e-17. A float cosine would be -4.371139e-8 and
    // let the -1e-9 product join; a threshold of 0 would refuse 1e-16.
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0}, {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}});
    m->nfacetnorms = 4;
    m->facetnorms = (GLfloat*)calloc(5 * 3, sizeof(GLfloat));
    const GLfloat products[4] = {-1e-9f, 1e-16f, 1e-17f, 1};  // the last triangle is the reference
    for (GLuint i = 0; i < 4; i++) {
        m->triangles[i].facet = (GLint)i + 1;
        m->facetnorms[3 * (i + 1) + 0] = 1;
        m->facetnorms[3 * (i + 1) + 2] = products[i];
    }
    m->facetnorms[3 * 4 + 0] = 0;
    glmVertexNormals(m, 90);
    // Per vertex, the list is t3, t2, t1, t0: t3 and t1 join, t2 and t0 do not.
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{3, 6, 9, 1, 4, 7, 2, 5, 8, 1, 4, 7}));
    EXPECT_EQ(m->nnormals, 9u);
    glmDelete(m);
}

TEST(VertexNormals, UnusedVertexWarnsOnceAndGetsNoNormal) {
    _GLMmodel* m = hand::model({0, 0, 0, 9, 9, 9, 1, 0, 0, 0, 1, 0, 1, 1, 0}, {{1, 3, 4}, {3, 5, 4}});
    EXPECT_EQ(facet_and_vertex_normals(m, 90), "glmVertexNormals(): vertex w/o a triangle\n");
    EXPECT_EQ(m->nnormals, 4u);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{1, 2, 3, 2, 4, 3}));
    glmDelete(m);

    m = hand::model({0, 0, 0, 1, 1, 1}, {});
    EXPECT_EQ(facet_and_vertex_normals(m, 90),
              "glmVertexNormals(): vertex w/o a triangle\nglmVertexNormals(): vertex w/o a triangle\n");
    EXPECT_EQ(m->nnormals, 0u);
    EXPECT_NE(m->normals, nullptr);
    glmDelete(m);
}

TEST(VertexNormals, DegenerateReferenceLetsNoCornerJoin) {
    // t1 has zero area (vertex 4 lies on the line through 1 and 2) and is the
    // reference at vertices 1 and 2.
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0, 2, 0, 0}, {{1, 2, 3}, {1, 2, 4}});
    facet_and_vertex_normals(m, 90);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{2, 4, 5, 1, 3, 6}));
    EXPECT_TRUE(isnan(normal(m, 1)[2]));
    EXPECT_EQ(normal(m, 2)[2], 1.0f);
    glmDelete(m);
}

TEST(VertexNormals, RepeatedVertexGivesEveryCornerANormal) {
    // Vertex 1 at two corners of t0: both corners get their own copy, and
    // corner 0 the slot that testing corners in order gives it.
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0}, {{1, 1, 2}, {1, 2, 3}});
    facet_and_vertex_normals(m, 90);
    ASSERT_EQ(m->nnormals, 6u);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{3, 2, 5, 1, 4, 6}));
    glmDelete(m);

    m = hand::model({0, 0, 0}, {{1, 1, 1}});
    facet_and_vertex_normals(m, 90);
    ASSERT_EQ(m->nnormals, 3u);
    EXPECT_EQ(norms_of(m), (std::vector<GLint>{3, 2, 1}));
    glmDelete(m);
}

TEST(VertexNormals, SecondCallGivesTheSameNumbering) {
    _GLMmodel* m = hand::cube();
    facet_and_vertex_normals(m, 90);
    std::vector<GLint> first = norms_of(m);
    std::vector<unsigned> normals = bits_of(m->normals, 3 * (m->nnormals + 1));
    glmFacetNormals(m);
    glmVertexNormals(m, 90);
    EXPECT_EQ(norms_of(m), first);
    EXPECT_EQ(bits_of(m->normals, 3 * (m->nnormals + 1)), normals);
    glmDelete(m);
}

TEST(VertexNormals, CubeReadFromObjTextIsPreparedLikeTheHandBuiltOne) {
    // The scene's preparation on a file of quads: fan triangulation gives the
    // hand-built cube's triangles, and unitize leaves a [-1, 1] cube alone.
    std::string obj = "# cube\n";
    for (int i = 0; i < 8; i++)
        obj += std::string("v ") + (i & 1 ? "1" : "-1") + (i & 2 ? " 1" : " -1") + (i & 4 ? " 1\n" : " -1\n");
    obj += "f 1 5 7 3\nf 2 4 8 6\nf 1 2 6 5\nf 3 7 8 4\nf 1 3 4 2\nf 5 6 8 7\n";
    _GLMmodel* read = read_obj(obj);
    ASSERT_NE(read, nullptr);
    _GLMmodel* built = hand::cube();
    EXPECT_EQ(glmUnitize(read), 1.0f);
    EXPECT_EQ(facet_and_vertex_normals(read, 90), "");
    facet_and_vertex_normals(built, 90);
    ASSERT_EQ(read->nnormals, built->nnormals);
    EXPECT_EQ(norms_of(read), norms_of(built));
    EXPECT_EQ(bits_of(read->normals, 3 * (read->nnormals + 1)), bits_of(built->normals, 3 * (built->nnormals + 1)));
    glmDelete(read);
    glmDelete(built);
}

// ---- the fast use lists against a plain node-list reference ----

namespace {

// The algorithm as plainly as it can be put: one heap node per corner, pushed
// on the front of its vertex's list.
struct Use {
    GLuint tri;
    unsigned char merged;
    Use* next;
};

struct Reference {
    std::vector<GLfloat> normals;  // 1-based triples, [0..2] unused
    std::vector<GLint> norm;       // 3 per triangle, 0 where unset
    int warnings = 0;
};

Reference reference_vertex_normals(const _GLMmodel* m, GLfloat angle) {
    Reference r;
    GLfloat threshold = (GLfloat)cos(angle * 3.141592653589793 / 180.0);
    r.normals.assign(3, 0);
    r.norm.assign(3 * m->ntriangles, 0);
    std::vector<Use*> heads(m->nvertices + 1, nullptr);
    for (GLuint i = 0; i < m->ntriangles; i++)
        for (int k = 0; k < 3; k++) {
            Use* u = (Use*)malloc(sizeof(Use));
            u->tri = i;
            u->merged = 0;
            u->next = heads[m->triangles[i].vert[k]];
            heads[m->triangles[i].vert[k]] = u;
        }
    for (GLuint j = 1; j <= m->nvertices; j++) {
        if (!heads[j]) {
            r.warnings++;
            continue;
        }
        GLfloat* ref = &m->facetnorms[3 * m->triangles[heads[j]->tri].facet];
        GLfloat sum[3] = {0, 0, 0};
        bool any = false;
        for (Use* u = heads[j]; u; u = u->next) {
            GLfloat* f = &m->facetnorms[3 * m->triangles[u->tri].facet];
            GLfloat d = glmDot(f, ref);
            u->merged = d > threshold;
            if (u->merged) {
                any = true;
                for (int a = 0; a < 3; a++) sum[a] += f[a];
            }
        }
        GLint averaged = 0;
        if (any) {
            glmNormalize(sum);
            r.normals.insert(r.normals.end(), sum, sum + 3);
            averaged = (GLint)(r.normals.size() / 3 - 1);
        }
        for (Use* u = heads[j]; u; u = u->next) {
            int k = 0;
            while (m->triangles[u->tri].vert[k] != (GLint)j) k++;
            if (u->merged) {
                r.norm[3 * u->tri + k] = averaged;
            } else {
                GLfloat* f = &m->facetnorms[3 * m->triangles[u->tri].facet];
                r.normals.insert(r.normals.end(), f, f + 3);
                r.norm[3 * u->tri + k] = (GLint)(r.normals.size() / 3 - 1);
            }
        }
    }
    for (Use* head : heads)
        while (head) {
            Use* next = head->next;
            free(head);
            head = next;
        }
    return r;
}

// Meshes whose coordinates come from a small grid, so that coplanar and
// opposite facets, degenerate triangles, repeated corners and unused vertices
// all turn up.
_GLMmodel* random_mesh(std::mt19937& rng) {
    GLuint nvertices = 1 + rng() % 40, ntriangles = rng() % 80;
    std::vector<GLfloat> xyz;
    bool grid = rng() % 4 != 0;
    for (GLuint i = 0; i < 3 * nvertices; i++)
        xyz.push_back(grid ? (GLfloat)((int)(rng() % 3) - 1) : std::uniform_real_distribution<GLfloat>(-1, 1)(rng));
    std::vector<hand::Corners> triangles;
    GLuint used = 1 + rng() % nvertices;  // vertices above this stay unused
    for (GLuint i = 0; i < ntriangles; i++)
        triangles.push_back({(GLint)(1 + rng() % used), (GLint)(1 + rng() % used), (GLint)(1 + rng() % used)});
    return hand::model(xyz, triangles);
}

}  // namespace

TEST(VertexNormals, UseListsNumberExactlyLikeNodeLists) {
    std::mt19937 rng(20261207);
    const GLfloat angles[] = {0, 30, 45, 89.9f, 90, 90.1f, 120, 179.9f, 180, 360};
    for (int round = 0; round < 400; round++) {
        _GLMmodel* m = random_mesh(rng);
        GLfloat angle = round % 3 == 0 ? std::uniform_real_distribution<GLfloat>(0, 200)(rng) : angles[round % 10];
        std::string warnings = facet_and_vertex_normals(m, angle);
        Reference r = reference_vertex_normals(m, angle);
        SCOPED_TRACE("round " + std::to_string(round) + " angle " + std::to_string(angle));

        ASSERT_EQ(m->nnormals + 1, r.normals.size() / 3);
        EXPECT_EQ(bits_of(m->normals + 3, 3 * m->nnormals), bits_of(r.normals.data() + 3, 3 * m->nnormals));
        std::string expected_warnings;
        for (int w = 0; w < r.warnings; w++) expected_warnings += "glmVertexNormals(): vertex w/o a triangle\n";
        EXPECT_EQ(warnings, expected_warnings);

        for (GLuint i = 0; i < m->ntriangles; i++) {
            const ModelTriangle& t = m->triangles[i];
            for (int k = 0; k < 3; k++) {
                int first = 0;
                while (t.vert[first] != t.vert[k]) first++;
                if (first == k) {
                    EXPECT_EQ(t.norm[k], r.norm[3 * i + k]) << "triangle " << i << " corner " << k;
                } else {
                    // A repeated vertex's later corner: some produced normal.
                    EXPECT_GE(t.norm[k], 1);
                    EXPECT_LE(t.norm[k], (GLint)m->nnormals);
                }
            }
        }
        glmDelete(m);
    }
}

// ---- preconditions and sizes ----

TEST(NormalsDeathTest, PreconditionsNameTheExpression) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    _GLMmodel* m = hand::model({0, 0, 0}, {});
    GLfloat d[3];
    EXPECT_DEATH(glmDimensions(nullptr, d), "include2.h:.*: .*Assertion `model' failed");
    EXPECT_DEATH(glmDimensions(m, nullptr), "Assertion `dimensions' failed");
    EXPECT_DEATH(glmUnitize(nullptr), "Assertion `model' failed");
    EXPECT_DEATH(glmReverseWinding(nullptr), "Assertion `model' failed");
    EXPECT_DEATH(glmFacetNormals(nullptr), "Assertion `model' failed");
    EXPECT_DEATH(glmVertexNormals(nullptr, 90), "Assertion `model' failed");
    EXPECT_DEATH(glmVertexNormals(m, 90), "include2.h:.*: .*Assertion `model->facetnorms' failed");
    GLfloat* vertices = m->vertices;
    m->vertices = nullptr;
    EXPECT_DEATH(glmDimensions(m, d), "include2.h:.*: .*Assertion `model->vertices' failed");
    EXPECT_DEATH(glmUnitize(m), "Assertion `model->vertices' failed");
    EXPECT_DEATH(glmFacetNormals(m), "Assertion `model->vertices' failed");
    m->vertices = vertices;
    glmDelete(m);
}

TEST(NormalsDeathTest, CountsBeyondTheIndexRangeEndTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    _GLMmodel* m = hand::model({0, 0, 0, 1, 0, 0, 0, 1, 0}, {{1, 2, 3}});
    glmFacetNormals(m);
    // 3 * ntriangles + 1 normal slots no longer fit a 32-bit signed index;
    // nothing is read or allocated before the check.
    EXPECT_EXIT((m->ntriangles = 0x2aaaaaab, glmVertexNormals(m, 90)), testing::ExitedWithCode(1),
                "glmVertexNormals\\(\\) failed: out of memory");
    EXPECT_EXIT((m->ntriangles = 0x80000000u, glmFacetNormals(m)), testing::ExitedWithCode(1),
                "glmFacetNormals\\(\\) failed: out of memory");
    EXPECT_EXIT(glmCheckedAlloc("glmTest", SIZE_MAX / 8, 16), testing::ExitedWithCode(1),
                "glmTest\\(\\) failed: out of memory");
    glmDelete(m);
}
