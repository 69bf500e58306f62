// The OBJ reader: line kinds, fan triangulation, groups, bounded words and
// lines, and the file entry point's messages and exits.
#include <math.h>
#include <string.h>

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/model/read_helpers.h"

namespace {

const char kSquare[] = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 2 2 2\n";

struct Tri {
    int a, b, c;
};

void expect_verts(const _GLMmodel* m, const std::vector<Tri>& want) {
    ASSERT_EQ(m->ntriangles, want.size());
    for (size_t i = 0; i < want.size(); i++) {
        EXPECT_EQ(m->triangles[i].vert[0], want[i].a) << "triangle " << i;
        EXPECT_EQ(m->triangles[i].vert[1], want[i].b) << "triangle " << i;
        EXPECT_EQ(m->triangles[i].vert[2], want[i].c) << "triangle " << i;
    }
}

std::vector<std::string> group_names(const _GLMmodel* m) {
    std::vector<std::string> names;
    for (const ModelGroup* g = m->groups; g; g = g->next) names.push_back(g->name);
    return names;
}

TEST(ReadObj, PositionsAndFacesOnlyMakeOneDefaultGroup) {
    _GLMmodel* m = read_obj(std::string(kSquare) + "f 1 2 3\nf 1 3 4\n");
    ASSERT_TRUE(m);
    EXPECT_STREQ(m->path, "test.obj");
    EXPECT_EQ(m->nvertices, 5u);
    EXPECT_EQ(m->vertices[3 * 5 + 0], 2.0f);
    EXPECT_EQ(m->vertices[3 * 2 + 0], 1.0f);
    EXPECT_FALSE(m->normals);
    EXPECT_FALSE(m->texcoords);
    EXPECT_FALSE(m->materials);
    EXPECT_FALSE(m->mtllib);
    EXPECT_FALSE(m->facetnorms);
    EXPECT_EQ(m->nfacetnorms, 0u);
    EXPECT_EQ(m->reserved[0], 0.0f);
    ASSERT_EQ(m->ngroups, 1u);
    EXPECT_STREQ(m->groups->name, "default");
    ASSERT_EQ(m->groups->ntriangles, 2u);
    EXPECT_EQ(m->groups->triangles[0], 0u);
    EXPECT_EQ(m->groups->triangles[1], 1u);
    expect_verts(m, {{1, 2, 3}, {1, 3, 4}});
    glmDelete(m);
}

TEST(ReadObj, FiveCornersMakeAFanAroundTheFirst) {
    _GLMmodel* m = read_obj(std::string(kSquare) + "f 1 2 3 4 5\n");
    ASSERT_TRUE(m);
    expect_verts(m, {{1, 2, 3}, {1, 3, 4}, {1, 4, 5}});
    // Fields the face does not give stay 0.
    EXPECT_EQ(m->triangles[1].norm[0], 0);
    EXPECT_EQ(m->triangles[1].tex[2], 0);
    EXPECT_EQ(m->triangles[1].facet, 0);
    glmDelete(m);
}

TEST(ReadObj, VertexTextureNormalCornersCarryAllThreeKinds) {
    std::string text;
    for (int i = 0; i < 12; i++) text += "v 0 0 0\nvt 0 0\nvn 0 0 1\n";
    _GLMmodel* m = read_obj(text + "f 1/4/7 2/5/8 3/6/9 10/11/12\n");
    ASSERT_TRUE(m);
    expect_verts(m, {{1, 2, 3}, {1, 3, 10}});
    const ModelTriangle& a = m->triangles[0];
    const ModelTriangle& b = m->triangles[1];
    EXPECT_EQ(a.tex[0], 4); EXPECT_EQ(a.tex[1], 5); EXPECT_EQ(a.tex[2], 6);
    EXPECT_EQ(a.norm[0], 7); EXPECT_EQ(a.norm[1], 8); EXPECT_EQ(a.norm[2], 9);
    EXPECT_EQ(b.tex[0], 4); EXPECT_EQ(b.tex[1], 6); EXPECT_EQ(b.tex[2], 11);
    EXPECT_EQ(b.norm[0], 7); EXPECT_EQ(b.norm[1], 9); EXPECT_EQ(b.norm[2], 12);
    glmDelete(m);
}

TEST(ReadObj, VertexNormalCornersLeaveTexturesUnset) {
    std::string text;
    for (int i = 0; i < 6; i++) text += "v 0 0 0\nvn 0 0 1\nvt 1 1\n";
    _GLMmodel* m = read_obj(text + "f 1//2 3//4 5//6 6//1\n");
    ASSERT_TRUE(m);
    expect_verts(m, {{1, 3, 5}, {1, 5, 6}});
    EXPECT_EQ(m->triangles[0].norm[0], 2); EXPECT_EQ(m->triangles[0].norm[1], 4);
    EXPECT_EQ(m->triangles[0].norm[2], 6);
    EXPECT_EQ(m->triangles[1].norm[1], 6); EXPECT_EQ(m->triangles[1].norm[2], 1);
    for (int k = 0; k < 3; k++) EXPECT_EQ(m->triangles[0].tex[k], 0);
    glmDelete(m);
}

TEST(ReadObj, VertexTextureCornersLeaveNormalsUnset) {
    std::string text;
    for (int i = 0; i < 4; i++) text += "v 0 0 0\nvt 0 0\nvn 1 0 0\n";
    _GLMmodel* m = read_obj(text + "f 1/4 2/3 3/2 4/1\n");
    ASSERT_TRUE(m);
    expect_verts(m, {{1, 2, 3}, {1, 3, 4}});
    EXPECT_EQ(m->triangles[1].tex[0], 4); EXPECT_EQ(m->triangles[1].tex[1], 2);
    EXPECT_EQ(m->triangles[1].tex[2], 1);
    EXPECT_EQ(m->triangles[1].norm[2], 0);
    glmDelete(m);
}

TEST(ReadObj, MissingCornersRepeatTheLastCornerRead) {
    _GLMmodel* m = read_obj(std::string(kSquare) + "f 1 2\nf 3\nf 4/1\n" + "vt 0 0\n");
    ASSERT_TRUE(m);
    expect_verts(m, {{1, 2, 2}, {3, 3, 3}, {4, 4, 4}});
    EXPECT_EQ(m->triangles[2].tex[2], 1);
    glmDelete(m);
}

TEST(ReadObj, CornerWithOnlyAVertexKeepsTheKindsOfTheCornerBefore) {
    std::string text;
    for (int i = 0; i < 4; i++) text += "v 0 0 0\nvt 0 0\nvn 1 0 0\n";
    _GLMmodel* m = read_obj(text + "f 1/2/3 2/3/4 3 4\n");
    ASSERT_TRUE(m);
    expect_verts(m, {{1, 2, 3}, {1, 3, 4}});
    EXPECT_EQ(m->triangles[0].tex[2], 3); EXPECT_EQ(m->triangles[0].norm[2], 4);
    EXPECT_EQ(m->triangles[1].tex[2], 3); EXPECT_EQ(m->triangles[1].norm[2], 4);
    glmDelete(m);
}

TEST(ReadObj, FaceEndsWhereACornerReadConvertsNothing) {
    // "x" stops the face; it is read as the next word (a line to skip), and
    // the vertex after it still counts.
    _GLMmodel* m = read_obj(std::string(kSquare) + "f 1 2 3 x 4\nv 5 5 5\nf 6 6 6 -\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->nvertices, 6u);
    EXPECT_EQ(m->vertices[3 * 6 + 1], 5.0f);
    expect_verts(m, {{1, 2, 3}, {6, 6, 6}});
    glmDelete(m);
}

TEST(ReadObj, GroupNamesKeepTheBlankAfterTheKeyword) {
    _GLMmodel* m = read_obj(std::string(kSquare) + "f 1 2 3\ng a\nf 2 3 4\ng b\nf 3 4 5\ng a\nf 1 3 5\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->ngroups, 3u);
    EXPECT_EQ(group_names(m), (std::vector<std::string>{" b", " a", "default"}));
    ModelGroup* a = glmFindGroup(m, " a");
    ASSERT_TRUE(a);
    ASSERT_EQ(a->ntriangles, 2u);
    EXPECT_EQ(a->triangles[0], 1u);
    EXPECT_EQ(a->triangles[1], 3u);
    EXPECT_EQ(glmFindGroup(m, "default")->triangles[0], 0u);
    EXPECT_EQ(glmFindGroup(m, " b")->triangles[0], 2u);
    EXPECT_FALSE(glmFindGroup(m, "a"));
    glmDelete(m);
}

TEST(ReadObj, GroupNameIsTheWholeRestOfTheLineLessItsEnd) {
    _GLMmodel* m = read_obj(std::string(kSquare) + "g  two words \r\nf 1 2 3\ng wing");
    ASSERT_TRUE(m);
    // The last line has no line end: its last character goes instead.
    EXPECT_EQ(group_names(m), (std::vector<std::string>{" win", "  two words ", "default"}));
    glmDelete(m);
}

TEST(ReadObj, AddGroupReturnsTheExistingGroupOfThatName) {
    _GLMmodel* m = read_obj(kSquare);
    ASSERT_TRUE(m);
    ModelGroup* x = glmAddGroup(m, "x");
    EXPECT_EQ(glmAddGroup(m, "x"), x);
    EXPECT_EQ(glmAddGroup(m, "default"), m->groups->next);
    EXPECT_EQ(m->ngroups, 2u);
    EXPECT_EQ(x->material, 0u);
    EXPECT_EQ(x->ntriangles, 0u);
    glmDelete(m);
}

TEST(ReadObj, CommentBeyond127CharactersIsReadAsNewWords) {
    // After the word "#", 127 characters of the line are skipped: a blank and
    // 126 x. What follows is a line of its own.
    std::string at_bound = "# " + std::string(126, 'x') + "v 9 8 7\n";
    _GLMmodel* m = read_obj(at_bound + "v 1 1 1\n");
    ASSERT_TRUE(m);
    ASSERT_EQ(m->nvertices, 2u);
    EXPECT_EQ(m->vertices[3 * 1 + 0], 9.0f);
    EXPECT_EQ(m->vertices[3 * 1 + 2], 7.0f);
    glmDelete(m);

    // One character shorter: the 'v' is inside the skipped part.
    m = read_obj("# " + std::string(125, 'x') + "v 9 8 7\nv 1 1 1\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->nvertices, 1u);
    EXPECT_EQ(m->vertices[3 * 1 + 0], 1.0f);
    glmDelete(m);
}

TEST(ReadObj, ExtraNumbersOnVertexLinesAreSkippedAsWords) {
    _GLMmodel* m = read_obj("v 1 2 3 4\nvt 0.25 0.5 0.75\nv 5 6 7\n");
    ASSERT_TRUE(m);
    ASSERT_EQ(m->nvertices, 2u);
    ASSERT_EQ(m->ntexcoords, 1u);
    const float want[] = {1, 2, 3, 5, 6, 7};
    for (int i = 0; i < 6; i++) EXPECT_EQ(m->vertices[3 + i], want[i]);
    EXPECT_EQ(m->texcoords[2], 0.25f);
    EXPECT_EQ(m->texcoords[3], 0.5f);
    glmDelete(m);
}

TEST(ReadObj, NumbersReadAsTheCLibraryReadsThem) {
    _GLMmodel* m = read_obj("v 1e3 -2.5E-1 +.5\nv\n0.1\n0x10 inf\nvn nan 1 2\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->vertices[3], 1000.0f);
    EXPECT_EQ(m->vertices[4], -0.25f);
    EXPECT_EQ(m->vertices[5], 0.5f);
    EXPECT_EQ(m->vertices[6], 0.1f);  // line ends are skipped before a number
    EXPECT_EQ(m->vertices[7], 16.0f);
    EXPECT_TRUE(std::isinf(m->vertices[8]));
    EXPECT_TRUE(std::isnan(m->normals[3]));
    glmDelete(m);
}

TEST(ReadObj, OtherLineKindsAreSkipped) {
    _GLMmodel* m = read_obj(std::string(kSquare) + "s 1\no thing\nl 1 2\n3 4\nf 1 2 3\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->ntriangles, 1u);
    glmDelete(m);
}

TEST(ReadObj, UnknownVertexKindEndsTheFirstPassOnStandardOutput) {
    std::string message;
    int stream = 0;
    EXPECT_FALSE(read_obj("v 0 0 0\nvp 1 2 3\n", {}, &message, &stream));
    EXPECT_EQ(message, "glmFirstPass(): Unknown token \"vp\".\n");
    EXPECT_EQ(stream, 1);
}

TEST(ReadObj, UsemtlWithoutLibraryWarnsAndKeepsMaterialZero) {
    testing::internal::CaptureStdout();
    _GLMmodel* m = read_obj(std::string(kSquare) + "g a\nusemtl shiny\nf 1 2 3\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "glmFindMaterial():  can't find material \"shiny\".\n");
    ASSERT_TRUE(m);
    EXPECT_EQ(glmFindGroup(m, " a")->material, 0u);
    EXPECT_FALSE(m->materials);
    glmDelete(m);
}

TEST(ReadObj, UsemtlSetsTheGroupMaterialAndGroupsTakeTheCurrentOne) {
    Library libs = {{"dir/lib.mtl", "newmtl red\nnewmtl blue\n"}};
    _GLMmodel* m = read_obj(std::string(kSquare) +
                                "mtllib lib.mtl\nusemtl blue\ng a\nf 1 2 3\nusemtl red\ng b\nf 1 2 3\n",
                            libs, nullptr, nullptr, "dir/x.obj");
    ASSERT_TRUE(m);
    EXPECT_STREQ(m->mtllib, "lib.mtl");
    ASSERT_EQ(m->nmaterials, 3u);
    EXPECT_EQ(glmFindGroup(m, "default")->material, 2u);
    EXPECT_EQ(glmFindGroup(m, " a")->material, 1u);  // "usemtl red" met inside it
    EXPECT_EQ(glmFindGroup(m, " b")->material, 1u);
    glmDelete(m);
}

TEST(ReadObj, MissingMaterialLibraryFailsOnStandardError) {
    std::string message;
    int stream = 0;
    EXPECT_FALSE(read_obj("mtllib none.mtl\n", {}, &message, &stream, "models/a.obj"));
    EXPECT_EQ(message, "glmReadMTL() failed: can't open material file \"models/none.mtl\".\n");
    EXPECT_EQ(stream, 2);
}

// The file entry point.

TEST(ReadObjFile, LibraryIsFoundBesideTheModel) {
    TempDir dir;
    std::string obj = dir.write("models/a.obj", "mtllib lib.mtl\nv 0 0 0\nf 1 1 1\nusemtl m\n");
    dir.write("models/lib.mtl", "newmtl m\nKd 0.5 0.25 1\n");
    dir.write("lib.mtl", "newmtl other\n");
    _GLMmodel* m = glmReadOBJ(obj.c_str());
    ASSERT_EQ(m->nmaterials, 2u);
    EXPECT_STREQ(m->materials[1].name, "m");
    EXPECT_EQ(m->materials[1].diffuse[1], 0.25f);
    EXPECT_EQ(m->groups->material, 1u);
    glmDelete(m);

    // By its bare name, the library is looked for in the working directory.
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    ASSERT_EQ(chdir((dir.path + "/models").c_str()), 0);
    dir.write("models/b.obj", "mtllib ../lib.mtl\nv 0 0 0\n");
    m = glmReadOBJ("b.obj");
    EXPECT_STREQ(m->path, "b.obj");
    EXPECT_STREQ(m->materials[1].name, "other");
    glmDelete(m);
    ASSERT_EQ(chdir(cwd), 0);
}

TEST(ReadObjFile, CarriageReturnsBeforeLineFeedsAreLineEnds) {
    TempDir dir;
    std::string obj = dir.write("crlf.obj", "v 1 2 3\r\nv 4 5 6\r\nv 7 8 9\r\ng wing\r\nf 1 2 3\r\n");
    _GLMmodel* m = glmReadOBJ(obj.c_str());
    EXPECT_EQ(m->nvertices, 3u);
    EXPECT_STREQ(m->groups->name, " wing");
    EXPECT_EQ(m->groups->ntriangles, 1u);
    glmDelete(m);
}

TEST(ReadObjFileDeathTest, MissingFileEndsWithStatusOne) {
    EXPECT_EXIT(glmReadOBJ("no/such/file.obj"), testing::ExitedWithCode(1),
                "^glmReadOBJ\\(\\) failed: can't open data file \"no/such/file.obj\"\\.\n$");
}

TEST(ReadObjFileDeathTest, MissingLibraryEndsWithStatusOne) {
    TempDir dir;
    std::string obj = dir.write("m/a.obj", "mtllib gone.mtl\n");
    EXPECT_EXIT(glmReadOBJ(obj.c_str()), testing::ExitedWithCode(1),
                "^glmReadMTL\\(\\) failed: can't open material file \"" + dir.path + "/m/gone\\.mtl\"\\.\n$");
}

TEST(ReadObjFileDeathTest, VpEndsWithStatusOneAndItsMessageOnStandardOutput) {
    TempDir dir;
    std::string obj = dir.write("vp.obj", "v 1 2 3\nvp 0.5 0.5\n");
    EXPECT_EXIT(
        {
            only_stdout_to_death_test();
            glmReadOBJ(obj.c_str());
        },
        testing::ExitedWithCode(1), "^glmFirstPass\\(\\): Unknown token \"vp\"\\.\n$");
}

}  // namespace
