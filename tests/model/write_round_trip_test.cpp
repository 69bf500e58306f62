// Round trips: a model is read, prepared, written in each mode and read back;
// the second reading must hold the same data the mode asked for.
//
// Two things change on the way by design of the formats: every group name
// gains one leading blank (the writer puts the stored name, already starting
// with a blank, after "g "; the reader keeps the blanks after the keyword), and
// the re-read library has one material more (the reader's own "default" in
// front of the written "default").
#include <gtest/gtest.h>
#include <math.h>

#include <string>
#include <vector>

#include "model/include2.h"
#include "tests/model/built_model.h"

namespace {

const char* const kObj =
    "# a small scene\n"
    "mtllib scene.mtl\n"
    "v 0 0 0\nv 2 0 0\nv 2 1 0\nv 0 1 0.5\nv 1 3 -1\nv -1.25 0.125 2\n"
    "vn 0 0 1\nvn 0 1 0\nvn 0.6 0 0.8\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0.25 0.75\n"
    "f 1/2/3 2/3/1 6/1/2\n"
    "g wing\n"
    "usemtl red\n"
    "f 1/1/1 2/2/2 3/3/3\n"
    "f 1/1/1 3/3/3 4/4/1\n"
    "g body\n"
    "usemtl blue\n"
    "f 4/4/2 5/1/3 6/2/1\n"
    "g wing\n"
    "f 2/2/2 5/3/3 6/4/1\n";

const char* const kMtl =
    "newmtl red\nKd 1 0 0\nKa 0.1 0 0\nKs 0.5 0.5 0.5\nNs 100\n"
    "newmtl blue\nKd 0 0 1\nNs 1000\n";

class RoundTrip : public testing::Test {
protected:
    built::ScratchDir dir;
    _GLMmodel* original = nullptr;

    void SetUp() override {
        built::writeText(dir / "scene.obj", kObj);
        built::writeText(dir / "scene.mtl", kMtl);
        original = glmReadOBJ((dir / "scene.obj").c_str());
    }
    void TearDown() override { glmDelete(original); }

    _GLMmodel* writeAndRead(GLuint mode) {
        std::string out = dir / "out.obj";
        testing::internal::CaptureStdout();
        glmWriteOBJ(original, out.c_str(), mode);
        _GLMmodel* again = glmReadOBJ(out.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "mode " << mode;
        return again;
    }
};

void expectNearArray(const GLfloat* a, const GLfloat* b, size_t count, float tolerance, const char* what) {
    for (size_t i = 0; i < count; i++) ASSERT_NEAR(a[i], b[i], tolerance) << what << " float " << i;
}

void expectSameModel(const _GLMmodel* original, const _GLMmodel* again, GLuint mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    // Positions, to the six decimals of "%f".
    ASSERT_EQ(again->nvertices, original->nvertices);
    expectNearArray(again->vertices + 3, original->vertices + 3, 3 * original->nvertices, 5.01e-7f, "vertex");

    if (mode & DRAW_SMOOTH) {
        ASSERT_EQ(again->nnormals, original->nnormals);
        expectNearArray(again->normals + 3, original->normals + 3, 3 * original->nnormals, 5.01e-7f, "normal");
    } else if (mode & DRAW_FLAT) {
        ASSERT_EQ(again->nnormals, original->nfacetnorms);
        expectNearArray(again->normals + 3, original->facetnorms + 3, 3 * original->nfacetnorms, 5.01e-7f, "facet");
    } else {
        EXPECT_EQ(again->nnormals, 0u);
        EXPECT_EQ(again->normals, nullptr);
    }
    if (mode & DRAW_TEXTURE) {
        ASSERT_EQ(again->ntexcoords, original->ntexcoords);
        expectNearArray(again->texcoords + 2, original->texcoords + 2, 2 * original->ntexcoords, 5.01e-7f, "texcoord");
    } else {
        EXPECT_EQ(again->ntexcoords, 0u);
    }

    // Groups: each with the same triangles in the same order. The file lists
    // them head first and the reader puts each new group at the head, so the
    // list comes back reversed, followed by the reader's own empty "default".
    ASSERT_EQ(again->ntriangles, original->ntriangles);
    ASSERT_EQ(again->ngroups, original->ngroups + 1);
    std::vector<std::string> expectedOrder, order;
    for (const ModelGroup* g = original->groups; g; g = g->next) {
        expectedOrder.insert(expectedOrder.begin(), " " + std::string(g->name));
        const ModelGroup* h = glmFindGroup(const_cast<_GLMmodel*>(again), (" " + std::string(g->name)).c_str());
        ASSERT_NE(h, nullptr) << g->name;
        ASSERT_EQ(h->ntriangles, g->ntriangles) << g->name;
        for (GLuint k = 0; k < g->ntriangles; k++) {
            const ModelTriangle& t = original->triangles[g->triangles[k]];
            const ModelTriangle& u = again->triangles[h->triangles[k]];
            for (int c = 0; c < 3; c++) {
                EXPECT_EQ(u.vert[c], t.vert[c]) << g->name << " " << k;
                if (mode & DRAW_SMOOTH) {
                    EXPECT_EQ(u.norm[c], t.norm[c]) << g->name << " " << k;
                } else if (mode & DRAW_FLAT) {
                    EXPECT_EQ(u.norm[c], t.facet) << g->name << " " << k;
                }
                if (mode & DRAW_TEXTURE) {
                    EXPECT_EQ(u.tex[c], t.tex[c]) << g->name << " " << k;
                }
            }
        }
        if (mode & DRAW_MATERIAL) {
            EXPECT_STREQ(again->materials[h->material].name, original->materials[g->material].name) << g->name;
        }
    }
    expectedOrder.push_back("default");
    for (const ModelGroup* h = again->groups; h; h = h->next) order.push_back(h->name);
    EXPECT_EQ(order, expectedOrder);
    const ModelGroup* last = glmFindGroup(const_cast<_GLMmodel*>(again), "default");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->ntriangles, 0u);

    if (mode & DRAW_MATERIAL) {
        ASSERT_EQ(again->nmaterials, original->nmaterials + 1);
        EXPECT_STREQ(again->materials[0].name, "default");
        for (GLuint i = 0; i < original->nmaterials; i++) {
            const ModelMaterial& m = original->materials[i];
            const ModelMaterial& n = again->materials[i + 1];
            EXPECT_STREQ(n.name, m.name);
            expectNearArray(n.diffuse, m.diffuse, 3, 5.01e-7f, "diffuse");
            expectNearArray(n.ambient, m.ambient, 3, 5.01e-7f, "ambient");
            expectNearArray(n.specular, m.specular, 3, 5.01e-7f, "specular");
            EXPECT_NEAR(n.shininess, m.shininess, 1e-4f) << m.name;
        }
    } else {
        EXPECT_EQ(again->materials, nullptr);
    }
}

const GLuint kModes[] = {DRAW_NONE,
                         DRAW_FLAT,
                         DRAW_SMOOTH,
                         DRAW_TEXTURE,
                         DRAW_COLOR,
                         DRAW_MATERIAL,
                         DRAW_FLAT | DRAW_TEXTURE,
                         DRAW_SMOOTH | DRAW_TEXTURE,
                         DRAW_SMOOTH | DRAW_TEXTURE | DRAW_MATERIAL,
                         DRAW_FLAT | DRAW_TEXTURE | DRAW_MATERIAL};

TEST_F(RoundTrip, FileDataWithFacetNormalsInEveryMode) {
    ASSERT_EQ(original->nmaterials, 3u);
    ASSERT_EQ(original->ngroups, 3u);
    glmFacetNormals(original);
    for (GLuint mode : kModes) {
        _GLMmodel* again = writeAndRead(mode);
        expectSameModel(original, again, mode);
        glmDelete(again);
    }
}

TEST_F(RoundTrip, GeneratedDataInEveryMode) {
    glmUnitize(original);
    glmWeld(original, 0.01f);
    glmFacetNormals(original);
    glmVertexNormals(original, 90.0f);
    glmSpheremapTexture(original);
    for (GLuint mode : kModes) {
        _GLMmodel* again = writeAndRead(mode);
        expectSameModel(original, again, mode);
        glmDelete(again);
    }
    glmLinearTexture(original);
    _GLMmodel* again = writeAndRead(DRAW_SMOOTH | DRAW_TEXTURE | DRAW_MATERIAL);
    expectSameModel(original, again, DRAW_SMOOTH | DRAW_TEXTURE | DRAW_MATERIAL);
    glmDelete(again);
}

TEST_F(RoundTrip, SecondRoundWritesTheSameDataWithOneMoreBlankPerGroupName) {
    glmFacetNormals(original);
    const GLuint mode = DRAW_SMOOTH | DRAW_TEXTURE | DRAW_MATERIAL;
    _GLMmodel* again = writeAndRead(mode);
    std::string first = built::readText(dir / "out.obj");
    glmWriteOBJ(again, (dir / "again.obj").c_str(), mode);
    std::string second = built::readText(dir / "again.obj");
    glmDelete(again);

    // Header, library line, positions, normals and texture coordinates alike.
    size_t sections = first.find("\n# 3 groups\n");
    ASSERT_NE(sections, std::string::npos);
    EXPECT_EQ(second.substr(0, sections), first.substr(0, sections));
    EXPECT_EQ(second.find("\n# 4 groups\n"), sections);
    // "wing" was last entered after "usemtl blue", so blue is its material.
    EXPECT_NE(first.find("g  wing\nusemtl blue\nf 1/1/1 2/2/2 3/3/3\n"), std::string::npos);
    EXPECT_NE(second.find("g   wing\nusemtl blue\nf 1/1/1 2/2/2 3/3/3\n"), std::string::npos);
    EXPECT_NE(second.find("g  default\nusemtl default\nf 1/2/3 2/3/1 6/1/2\n"), std::string::npos);
}

}  // namespace
