// The OBJ file's rename failing after its material library was put in place:
// glmWriteOBJ ends with status 1 and both files are as they were (the old
// library back, or none when there was none), with nothing left beside them.
// For this one binary the C library's rename is interposed: it fails for a
// target ending in ".obj" while `fail_obj_rename` is set.
#include <dlfcn.h>
#include <errno.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/model/built_model.h"
#include "tests/model/read_helpers.h"

static bool fail_obj_rename = false;

extern "C" int rename(const char* from, const char* to) {
    static int (*real)(const char*, const char*) = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    size_t n = strlen(to);
    if (fail_obj_rename && n > 4 && strcmp(to + n - 4, ".obj") == 0) {
        errno = EACCES;
        return -1;
    }
    return real(from, to);
}

namespace {

std::vector<std::string> listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void write_failing(_GLMmodel* model, const std::string& obj) {
    fail_obj_rename = true;
    glmWriteOBJ(model, obj.c_str(), DRAW_MATERIAL);
}

TEST(WriteCommitDeathTest, AFailedObjRenameGivesTheLibraryBackOrRemovesIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    built::DeathDir dir("write-commit");
    const std::string obj = dir / "out.obj", mtl = dir / "lib.mtl";
    _GLMmodel* model = read_obj("mtllib lib.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\nf 1 2 3\n",
                                {{"lib.mtl", "newmtl red\nKd 1 0 0\n"}});
    ASSERT_TRUE(model);
    const std::string message = "^glmWriteOBJ\\(\\) failed: can't write file \"" + obj + "\": Permission denied\\.\n$";

    built::writeText(obj, "old model\n");
    built::writeText(mtl, "old library\n");
    EXPECT_EXIT(write_failing(model, obj), testing::ExitedWithCode(1), message);
    EXPECT_EQ(built::readText(obj), "old model\n");
    EXPECT_EQ(built::readText(mtl), "old library\n");
    EXPECT_EQ(listing(dir.path), (std::vector<std::string>{"lib.mtl", "out.obj"}));

    std::filesystem::remove(obj);
    std::filesystem::remove(mtl);
    EXPECT_EXIT(write_failing(model, obj), testing::ExitedWithCode(1), message);
    EXPECT_EQ(listing(dir.path), std::vector<std::string>{});

    // Renames that work leave the new pair and no second name of the old library.
    built::writeText(mtl, "old library\n");
    glmWriteOBJ(model, obj.c_str(), DRAW_MATERIAL);
    EXPECT_NE(built::readText(mtl).find("newmtl red"), std::string::npos);
    EXPECT_EQ(listing(dir.path), (std::vector<std::string>{"lib.mtl", "out.obj"}));
    glmDelete(model);
}

}  // namespace
