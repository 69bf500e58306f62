// The MTL reader and the directory rule that locates libraries.
#include <stdlib.h>
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/model/read_helpers.h"

namespace {

// A model record with only a path, as the OBJ reader has it when it meets "mtllib".
_GLMmodel* bare_model(const char* path = "m.obj") {
    _GLMmodel* m = (_GLMmodel*)calloc(1, sizeof *m);
    m->path = strdup(path);
    return m;
}

_GLMmodel* parse(const std::string& text) {
    _GLMmodel* m = bare_model();
    glmParseMTL(m, text.data(), text.size());
    return m;
}

void expect_rgba(const GLfloat* c, float r, float g, float b) {
    EXPECT_EQ(c[0], r);
    EXPECT_EQ(c[1], g);
    EXPECT_EQ(c[2], b);
    EXPECT_EQ(c[3], 1.0f);
}

void expect_defaults(const ModelMaterial& m) {
    expect_rgba(m.diffuse, 0.8f, 0.8f, 0.8f);
    expect_rgba(m.ambient, 0.2f, 0.2f, 0.2f);
    expect_rgba(m.specular, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(m.shininess, 65.0f);
}

std::string dir_name(const char* path) {
    char* d = glmDirName(path);
    std::string s = d;
    free(d);
    return s;
}

TEST(DirName, KeepsEverythingUpToTheLastSlash) {
    EXPECT_EQ(dir_name("met1.obj"), "");
    EXPECT_EQ(dir_name("models/"), "models/");
    EXPECT_EQ(dir_name("a/b/c.obj"), "a/b/");
    EXPECT_EQ(dir_name("/x"), "/");
    EXPECT_EQ(dir_name("a\\b.obj"), "");
}

TEST(ReadMtl, EmptyLibraryHoldsOnlyDefault) {
    _GLMmodel* m = parse("");
    ASSERT_EQ(m->nmaterials, 1u);
    EXPECT_STREQ(m->materials[0].name, "default");
    expect_defaults(m->materials[0]);
    glmDelete(m);
}

TEST(ReadMtl, MaterialsFollowDefaultInFileOrder) {
    _GLMmodel* m = parse("# lib\nnewmtl first\nKd 0.1 0.2 0.3\nKa 0.4 0.5 0.6\nKs 1 0.5 0\n\nnewmtl second\n");
    ASSERT_EQ(m->nmaterials, 3u);
    EXPECT_STREQ(m->materials[0].name, "default");
    EXPECT_STREQ(m->materials[1].name, "first");
    EXPECT_STREQ(m->materials[2].name, "second");
    expect_rgba(m->materials[1].diffuse, 0.1f, 0.2f, 0.3f);
    expect_rgba(m->materials[1].ambient, 0.4f, 0.5f, 0.6f);
    expect_rgba(m->materials[1].specular, 1.0f, 0.5f, 0.0f);
    expect_defaults(m->materials[0]);
    expect_defaults(m->materials[2]);
    glmDelete(m);
}

TEST(ReadMtl, KeysBeforeTheFirstNewmtlChangeDefault) {
    _GLMmodel* m = parse("Kd 0.5 0.25 0.125\nnewmtl a\n");
    expect_rgba(m->materials[0].diffuse, 0.5f, 0.25f, 0.125f);
    expect_defaults(m->materials[1]);
    glmDelete(m);
}

TEST(ReadMtl, ShininessMovesFromTheThousandScaleToGLs) {
    _GLMmodel* m = parse("newmtl a\nNs 1000\nnewmtl b\nNs 0\nnewmtl c\nNs 500\nnewmtl d\nNi 1.5\n");
    EXPECT_EQ(m->materials[1].shininess, 128.0f);
    EXPECT_EQ(m->materials[2].shininess, 0.0f);
    EXPECT_EQ(m->materials[3].shininess, 64.0f);
    // Ni begins with N: (1.5 / 1000) * 128, each step rounded to float.
    float ni = (float)(1.5f / 1000.0);
    EXPECT_EQ(m->materials[4].shininess, (float)(ni * 128.0));
    glmDelete(m);
}

TEST(ReadMtl, ShininessReadThatFindsNoNumberRescalesTheValueAlreadyThere) {
    _GLMmodel* m = parse("Ns x\n");
    float want = (float)((float)(65.0f / 1000.0) * 128.0);
    EXPECT_EQ(m->materials[0].shininess, want);
    glmDelete(m);
}

TEST(ReadMtl, OtherKeysChangeNothing) {
    _GLMmodel* m = parse("newmtl a\nKe 1 1 1\nd 0.5\nTr 0.5\nillum 2\nmap_Kd x.bmp\nKx 1 1 1\n");
    ASSERT_EQ(m->nmaterials, 2u);
    expect_defaults(m->materials[1]);
    glmDelete(m);
}

TEST(ReadMtl, NumbersThatAreMissingKeepTheFieldAndTheRestIsReadAsWords) {
    // Kd converts one number; "Ka" stops it and is read as the next word.
    _GLMmodel* m = parse("Kd 0.5 Ka 0.1 0.2 0.3 Ks 1 1 1\n");
    ASSERT_EQ(m->nmaterials, 1u);
    expect_rgba(m->materials[0].diffuse, 0.5f, 0.8f, 0.8f);
    expect_rgba(m->materials[0].ambient, 0.1f, 0.2f, 0.3f);
    expect_rgba(m->materials[0].specular, 1.0f, 1.0f, 1.0f);
    glmDelete(m);
}

TEST(ReadMtl, AFailedNumberSwallowsWhatTheCLibrarySwallows) {
    // Reading "%f" at "newmtl" consumes "ne" (a "nan" that was not), so the
    // next word is "wmtl": no material is made.
    _GLMmodel* m = parse("Kd 0.5 newmtl late\n");
    ASSERT_EQ(m->nmaterials, 1u);
    expect_rgba(m->materials[0].diffuse, 0.5f, 0.8f, 0.8f);
    glmDelete(m);
}

TEST(ReadMtl, MaterialsTheCountingPassMissesAreStillKept) {
    // The counting pass skips the first line whole; the filling pass meets
    // "newmtl" after the three numbers and must not write past its array.
    _GLMmodel* m = parse("Kd 1 1 1 newmtl a\nnewmtl b\nKd 1 2 3 newmtl c\n");
    ASSERT_EQ(m->nmaterials, 4u);
    EXPECT_STREQ(m->materials[1].name, "a");
    EXPECT_STREQ(m->materials[2].name, "b");
    EXPECT_STREQ(m->materials[3].name, "c");
    expect_rgba(m->materials[2].diffuse, 1.0f, 2.0f, 3.0f);
    glmDelete(m);
}

TEST(ReadMtl, MaterialsCountedButNeverMetAreDropped) {
    // "Ns" reads across the line end and consumes "ne" of "newmtl" trying to
    // read "nan": the filling pass never meets that material.
    _GLMmodel* m = parse("Ns\nnewmtl lost\n");
    ASSERT_EQ(m->nmaterials, 1u);
    EXPECT_STREQ(m->materials[0].name, "default");
    glmDelete(m);
}

TEST(ReadMtl, NewmtlNameIsTheFirstWordOfTheLine) {
    _GLMmodel* m = parse("newmtl   shiny metal\r\nnewmtl\n");
    ASSERT_EQ(m->nmaterials, 3u);
    EXPECT_STREQ(m->materials[1].name, "shiny");
    EXPECT_STREQ(m->materials[2].name, "");
    glmDelete(m);
}

TEST(ReadMtl, OwnDefaultIsALaterRecordAndLookupsFindRecordZero) {
    _GLMmodel* m = parse("newmtl default\nKd 1 0 0\nnewmtl b\n");
    ASSERT_EQ(m->nmaterials, 3u);
    EXPECT_STREQ(m->materials[1].name, "default");
    EXPECT_EQ(glmFindMaterial(m, "default"), 0u);
    EXPECT_EQ(glmFindMaterial(m, "b"), 2u);
    glmDelete(m);
}

TEST(ReadMtl, NotFoundMaterialHasTwoBlanksAfterTheColon) {
    _GLMmodel* m = parse("newmtl a\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(glmFindMaterial(m, "A"), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "glmFindMaterial():  can't find material \"A\".\n");
    glmDelete(m);
}

TEST(ReadMtl, SecondLibraryReplacesTheFirst) {
    _GLMmodel* m = parse("newmtl a\nnewmtl b\n");
    const char second[] = "newmtl c\n";
    glmParseMTL(m, second, strlen(second));
    ASSERT_EQ(m->nmaterials, 2u);
    EXPECT_STREQ(m->materials[1].name, "c");
    glmDelete(m);
}

TEST(ReadMtl, LibraryNameIsJoinedToTheModelsDirectory) {
    Library libs = {{"models/lib.mtl", "newmtl here\n"}, {"lib.mtl", "newmtl there\n"}};
    GlmReadFailure failure = {0, 0, nullptr};
    _GLMmodel* m = bare_model("models/a.obj");
    ASSERT_TRUE(glmReadMTLFrom(m, "lib.mtl", library_source, &libs, &failure));
    EXPECT_STREQ(m->materials[1].name, "here");
    free(m->path);
    m->path = strdup("a.obj");
    ASSERT_TRUE(glmReadMTLFrom(m, "lib.mtl", library_source, &libs, &failure));
    EXPECT_STREQ(m->materials[1].name, "there");
    EXPECT_EQ(failure.status, 0);
    glmDelete(m);
}

TEST(ReadMtlDeathTest, MissingFileEndsWithStatusOne) {
    _GLMmodel* m = bare_model("no/dir/m.obj");
    EXPECT_EXIT(glmReadMTL(m, "x.mtl"), testing::ExitedWithCode(1),
                "^glmReadMTL\\(\\) failed: can't open material file \"no/dir/x\\.mtl\"\\.\n$");
    glmDelete(m);
}

TEST(ReadMtl, FileEntryPointReadsTheLibrary) {
    TempDir dir;
    dir.write("lib.mtl", "newmtl a\nKs 0.5 0.5 0.5\n");
    _GLMmodel* m = bare_model((dir.path + "/m.obj").c_str());
    glmReadMTL(m, "lib.mtl");
    ASSERT_EQ(m->nmaterials, 2u);
    expect_rgba(m->materials[1].specular, 0.5f, 0.5f, 0.5f);
    glmDelete(m);
}

}  // namespace
