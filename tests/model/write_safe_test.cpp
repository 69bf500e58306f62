// Writing never loses a file: a full disk (a file-size limit in the forked
// child of a death test, SIGXFSZ ignored) ends the process with status 1
// and the old OBJ and MTL files exactly as they were, with nothing else left
// beside them; symbolic links keep pointing at a replaced file; permissions
// carry over; devices and pipes are written in place.
#if !defined(_WIN32)
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "model/include2.h"
#include "tests/model/built_model.h"
#include "tests/model/read_helpers.h"

namespace {

namespace fs = std::filesystem;

// A model read from text: `vertices` positions in one face fan, and a
// library of `materials` materials named on its "mtllib" line.
_GLMmodel* sizedModel(int vertices, int materials) {
    std::string obj = "mtllib lib.mtl\n", mtl;
    for (int i = 0; i < vertices; i++) obj += "v " + std::to_string(i) + " 0.5 -" + std::to_string(i % 7) + "\n";
    obj += "g part\nusemtl m0\nf";
    for (int i = 1; i <= vertices; i++) obj += " " + std::to_string(i);
    for (int i = 0; i < materials; i++) mtl += "newmtl m" + std::to_string(i) + "\nKd 0.5 0.25 1\n";
    _GLMmodel* model = read_obj(obj + "\n", {{"lib.mtl", mtl}});
    EXPECT_TRUE(model);
    return model;
}

// Writes in this process (the child of a death test) with files limited to
// `limit` bytes; a write past it fails with EFBIG instead of a signal.
void writeLimited(_GLMmodel* model, const std::string& name, GLuint mode, rlim_t limit) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit r = {limit, limit};
    setrlimit(RLIMIT_FSIZE, &r);
    glmWriteOBJ(model, name.c_str(), mode);
}

std::vector<std::string> listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteSafelyDeathTest, AFullDiskLeavesTheOldFilesAsTheyWere) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    built::DeathDir dir("write-full-disk");
    const std::string obj = dir / "out.obj", mtl = dir / "lib.mtl";
    const std::string oldObj = "old model\n" + std::string(5000, 'o'), oldMtl = "old library\n";
    const struct {
        const char* what;
        int vertices, materials;
        GLuint mode;
        std::string message;
    } cases[] = {
        {"the OBJ file", 20000, 1, DRAW_NONE, "glmWriteOBJ\\(\\) failed: can't write file \"" + obj + "\": File too large\\.\n"},
        // The library is complete but not yet in place when the OBJ file fails.
        {"the OBJ file after the library", 20000, 1, DRAW_MATERIAL,
         "glmWriteOBJ\\(\\) failed: can't write file \"" + obj + "\": File too large\\.\n"},
        {"the library", 10, 5000, DRAW_MATERIAL,
         "glmWriteMTL\\(\\) failed: can't write file \"" + mtl + "\": File too large\\.\n"},
    };
    for (const auto& c : cases) {
        built::writeText(obj, oldObj);
        built::writeText(mtl, oldMtl);
        _GLMmodel* model = sizedModel(c.vertices, c.materials);
        EXPECT_EXIT(writeLimited(model, obj, c.mode, 64 * 1024), testing::ExitedWithCode(1), "^" + c.message + "$")
            << c.what;
        EXPECT_EQ(built::readText(obj), oldObj) << c.what;
        EXPECT_EQ(built::readText(mtl), oldMtl) << c.what;
        EXPECT_EQ(listing(dir.path), (std::vector<std::string>{"lib.mtl", "out.obj"})) << c.what;

        // Without the limit the same write succeeds.
        glmWriteOBJ(model, obj.c_str(), c.mode);
        EXPECT_NE(built::readText(obj), oldObj) << c.what;
        EXPECT_EQ(built::readText(mtl) == oldMtl, !(c.mode & DRAW_MATERIAL)) << c.what;
        glmDelete(model);
    }
}

TEST(WriteSafely, ThroughSymbolicLinksTheFileTheyNameIsReplaced) {
    built::ScratchDir dir;
    _GLMmodel* model = sizedModel(3, 1);
    const std::string real = dir / "real.obj";
    built::writeText(real, "old\n");
    fs::create_directory(dir / "links");
    fs::create_symlink("../real.obj", dir / "links/one.obj");  // relative to the link's directory
    fs::create_symlink(dir / "links/one.obj", dir / "two.obj");
    glmWriteOBJ(model, (dir / "two.obj").c_str(), DRAW_NONE);
    EXPECT_TRUE(fs::is_symlink(dir / "two.obj"));
    EXPECT_EQ(fs::read_symlink(dir / "two.obj"), dir / "links/one.obj");
    EXPECT_EQ(fs::read_symlink(dir / "links/one.obj"), "../real.obj");
    EXPECT_EQ(built::readText(real).find("#  \n#  Wavefront OBJ"), 0u);

    // A link to a file that does not exist yet makes that file.
    fs::create_symlink("made.obj", dir / "dangling.obj");
    glmWriteOBJ(model, (dir / "dangling.obj").c_str(), DRAW_NONE);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.obj"));
    EXPECT_EQ(built::readText(dir / "made.obj"), built::readText(real));
    EXPECT_EQ(listing(dir.path), (std::vector<std::string>{"dangling.obj", "links", "made.obj", "real.obj", "two.obj"}));
    glmDelete(model);
}

TEST(WriteSafely, PermissionsCarryOverAndNewFilesGetTheUsualOnes) {
    built::ScratchDir dir;
    _GLMmodel* model = sizedModel(3, 1);
    const std::string old = dir / "old.obj", made = dir / "new.obj";
    built::writeText(old, "old\n");
    fs::permissions(old, fs::perms(0640));
    glmWriteOBJ(model, old.c_str(), DRAW_NONE);
    EXPECT_EQ(fs::status(old).permissions(), fs::perms(0640));

    mode_t mask = umask(027);
    glmWriteOBJ(model, made.c_str(), DRAW_NONE);
    umask(mask);
    EXPECT_EQ(fs::status(made).permissions(), fs::perms(0640));
    glmDelete(model);
}

void* drain(void* path) {
    std::string* text = new std::string(built::readText(*(std::string*)path));
    return text;
}

TEST(WriteSafelyDeathTest, DevicesAndPipesAreWrittenInPlace) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    _GLMmodel* model = sizedModel(3000, 1);
    EXPECT_EXIT(glmWriteOBJ(model, "/dev/full", DRAW_NONE), testing::ExitedWithCode(1),
                "^glmWriteOBJ\\(\\) failed: can't write file \"/dev/full\": No space left on device\\.\n$");
    struct stat st;
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    glmWriteOBJ(model, "/dev/null", DRAW_NONE);
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // A pipe gets what a file gets.
    built::DeathDir dir("write-pipe");
    std::string pipe = dir / "pipe.obj";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    pthread_t reader;
    ASSERT_EQ(pthread_create(&reader, nullptr, drain, &pipe), 0);
    glmWriteOBJ(model, pipe.c_str(), DRAW_NONE);
    void* through = nullptr;
    pthread_join(reader, &through);
    glmWriteOBJ(model, (dir / "file.obj").c_str(), DRAW_NONE);
    EXPECT_EQ(*(std::string*)through, built::readText(dir / "file.obj"));
    delete (std::string*)through;
    ASSERT_EQ(stat(pipe.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    glmDelete(model);
}

}  // namespace
#endif
