// Face indices outside their arrays: relative indices resolve against what
// has been read so far; zero or past the end fails with one line naming the
// file, the line and the index.
#include <string>

#include <gtest/gtest.h>

#include "model/read_obj.h"
#include "tests/fuzz/model_compare.h"
#include "tests/model/read_helpers.h"

namespace {

const char kThree[] = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

TEST(ReadIndex, NegativeIndicesCountBackFromTheElementsReadSoFar) {
    _GLMmodel* m = read_obj(std::string(kThree) + "vt 0 0\nvt 1 1\nvn 0 0 1\nf -3/-2/-1 -2/-1/-1 -1/-2/-1\nv 5 5 5\nf -1 -2 -4\n");
    ASSERT_TRUE(m);
    ASSERT_EQ(m->ntriangles, 2u);
    const ModelTriangle& a = m->triangles[0];
    EXPECT_EQ(a.vert[0], 1); EXPECT_EQ(a.vert[1], 2); EXPECT_EQ(a.vert[2], 3);
    EXPECT_EQ(a.tex[0], 1); EXPECT_EQ(a.tex[1], 2); EXPECT_EQ(a.tex[2], 1);
    EXPECT_EQ(a.norm[0], 1); EXPECT_EQ(a.norm[2], 1);
    // A fourth vertex was read before the second face.
    const ModelTriangle& b = m->triangles[1];
    EXPECT_EQ(b.vert[0], 4); EXPECT_EQ(b.vert[1], 3); EXPECT_EQ(b.vert[2], 1);
    glmDelete(m);
}

struct BadIndex {
    const char* text;
    const char* message;
};

class ReadBadIndex : public testing::TestWithParam<BadIndex> {};

TEST_P(ReadBadIndex, FailsWithOneLineOnStandardError) {
    std::string message;
    int stream = 0;
    EXPECT_FALSE(read_obj(std::string(kThree) + GetParam().text, {}, &message, &stream, "dir/m.obj"));
    EXPECT_EQ(message, GetParam().message);
    EXPECT_EQ(stream, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, ReadBadIndex,
    testing::Values(
        BadIndex{"f 0 1 2\n", "glmReadOBJ() failed: \"dir/m.obj\" line 4: vertex index 0 is out of range.\n"},
        BadIndex{"f 1 2 3\n\nf 1 2 4\n", "glmReadOBJ() failed: \"dir/m.obj\" line 6: vertex index 4 is out of range.\n"},
        // Faces one after another: the failure is at the face that holds it.
        BadIndex{"f 1 2 3 -1\nf 3 2 1\n  f 1 2 3 -3 -4\nf 1 2 3\n",
                 "glmReadOBJ() failed: \"dir/m.obj\" line 6: vertex index -4 is out of range.\n"},
        BadIndex{"f 1 2 -4\n", "glmReadOBJ() failed: \"dir/m.obj\" line 4: vertex index -4 is out of range.\n"},
        BadIndex{"f 1 2 3 2147483647\n",
                 "glmReadOBJ() failed: \"dir/m.obj\" line 4: vertex index 2147483647 is out of range.\n"},
        // No "vt" or "vn" lines: no texture or normal index is valid.
        BadIndex{"f 1/1 2/1 3/1\n",
                 "glmReadOBJ() failed: \"dir/m.obj\" line 4: texture coordinate index 1 is out of range.\n"},
        BadIndex{"f 1//1 2//1 3//1\n", "glmReadOBJ() failed: \"dir/m.obj\" line 4: normal index 1 is out of range.\n"},
        BadIndex{"vn 0 0 1\nf 1//1 2//2 3//1\n",
                 "glmReadOBJ() failed: \"dir/m.obj\" line 5: normal index 2 is out of range.\n"},
        // A face with no corners at all has vertex 0.
        BadIndex{"f\n", "glmReadOBJ() failed: \"dir/m.obj\" line 4: vertex index 0 is out of range.\n"}));

TEST(ReadIndexDeathTest, FileEntryPointEndsWithStatusOne) {
    TempDir dir;
    std::string obj = dir.write("bad.obj", std::string(kThree) + "f 1 2 9\n");
    EXPECT_EXIT(glmReadOBJ(obj.c_str()), testing::ExitedWithCode(1),
                "^glmReadOBJ\\(\\) failed: \"" + dir.path + "/bad\\.obj\" line 4: vertex index 9 is out of range\\.\n$");
}

TEST(ReadIndex, PassesThatDisagreeFailInsteadOfWritingPastTheArrays) {
    // The first pass skips 127 characters of the long "v" line and reads the
    // rest as a face; the second pass reads three numbers and skips from
    // "pad": it never meets that face.
    std::string line = "v 1 2 3 pad" + std::string(116, 'x') + " f 1 1 1\n";
    std::string message;
    EXPECT_FALSE(read_obj(line, {}, &message));
    EXPECT_EQ(message, "glmReadOBJ() failed: \"test.obj\": 1 triangles counted but 0 read.\n");

    // The other way round: the second pass reads the first vertex's third
    // number from the next line and then meets a "v" that the first pass
    // skipped with that line.
    message.clear();
    EXPECT_FALSE(read_obj("v 1 2\n3 v\n", {}, &message));
    EXPECT_NE(message.find("a vertex that the first pass did not count"), std::string::npos) << message;
}

}  // namespace

namespace {

// The second pass takes each face from the first pass when both met it at
// the same place; reading every face twice must give the same model.
TEST(ReadFaceCache, SameModelAsReadingEveryFaceTwice) {
    const std::string texts[] = {
        std::string(kThree) + "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1 -1/-1/-1\ng a\nf 1//1 2//1 3//1\nf 3 2 1 2\n",
        std::string(kThree) + "f 1/1 2\nvt 1 1\nf 1/1 2/1 3/1 1\n",
        "v 1 2 3 pad" + std::string(116, 'x') + " f 1 1 1\n" + kThree + "f 1 2 3\n",
        std::string(kThree) + "f 1 2\n3 g x\nf 3 2 1\n",
        std::string(kThree) + "f 1 2 3 -\nf - 1 2\n",
        // Runs of faces: fans with relative indices, blank lines between
        // faces, a change of corner form, and a bad index deep in a run.
        std::string(kThree) + "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1 -1/-1/-1\nf -3/1/1 -2/-1/-1 -1/1/1 1/1/1\n\n  " +
            "f 3/1/1 2/1/1 1/1/1\nf 1//1 2//1 3//1\nf 3 2 1\nf 1 2 3\n",
        std::string(kThree) + "vt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1 -1/-1/-1\nf -3/1/1 -2/-1/-1 -1/1/1 1/1/1\n\n  " +
            "f 3/1/1 2/1/1 1/1/1 -4/1/1\nf 1/1/1 2/1/1 3/1/1\n",
        std::string(kThree) + "vt 0 0\nf 1/1 2/1 3/1\nf 1/1 2/1 3/1 2/2\nf 1/1 2/1 3/1\n",
        std::string(kThree) + "vt 0 0\nf 1 2 3\nf 1/2 2/2 3/2\n",
        // Only the second pass meets the first face, with no normal index,
        // where the first pass kept a triangle with normals.
        "v 1 2 3 f 1\nv 1 2 3 pad" + std::string(116, 'x') + " f 1//1 1//1 1//1\nvn 0 0 1\n",
    };
    for (const std::string& text : texts) {
        std::string cached_message, read_message;
        _GLMmodel* cached = read_obj(text, {}, &cached_message);
        GlmReadOptions faces_read_again;
        faces_read_again.face_cache = false;
        _GLMmodel* read = read_obj(text, {}, &read_message, nullptr, "test.obj", faces_read_again);
        EXPECT_EQ(cached_message, read_message) << text;
        ASSERT_EQ(!cached, !read) << text;
        if (cached) {
            EXPECT_TRUE(same_model(cached, read)) << text;
            glmDelete(cached);
            glmDelete(read);
        }
    }
}

}  // namespace
