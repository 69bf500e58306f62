// The runtime services the demo and the picture loader rely on: the C
// runtime's generator and the swarm it lays out, the two clocks, read-only
// file mappings and the media commands. Run in the demo's data folder. The same tests run
// against our platform layer on Linux and against Windows itself (under Wine).
#include <gtest/gtest.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <filesystem>
#include <string>

#include "demo/scene.h"
#include "demo/swarm.h"
#include "platform/win32.h"

namespace {

// The runtime's generator, written again here from its definition.
struct Reference {
    uint32_t state;
    int next() {
        state = state * 214013u + 2531011u;
        return (int)((state >> 16) & 0x7fff);
    }
};

TEST(Runtime, SwarmFollowsTheGeneratorsSequenceFromSeed500) {
    msvcrt::srand(500);
    EXPECT_EQ(msvcrt::rand(), 1671);
    EXPECT_EQ(msvcrt::rand(), 7970);

    scene_fill_swarm();
    EXPECT_EQ(kuulay[0][0], 130);
    EXPECT_EQ(kk[0][0], -0.2f);

    Reference r{500};
    for (int i = 0; i < 9; i++) {
        for (int j = 0; j < 5; j++) {
            SCOPED_TRACE(testing::Message() << "cell " << i << "," << j);
            int r1 = r.next(), r2 = r.next(), r3 = r.next(), r4 = r.next(), r5 = r.next();
            EXPECT_EQ(kuulaz[i][j], -400 - 200 * j);
            EXPECT_EQ(kuulay[i][j], 201 - r1 % 400);
            EXPECT_EQ(kuulax[i][j], (float)(-700 - 200 * i));
            EXPECT_EQ(kk[i][j], (float)(1.0 - (r2 % 20 + 2) / 10.0));
            EXPECT_EQ(kkk[i][j], (float)((r3 % 60 + 50) / 100.0));
            EXPECT_EQ(kuulak[i][j], (float)(r4 % 70 + 20));
            EXPECT_EQ(kuu[i][j], r5 % 2 + 1);
        }
    }
    // 225 draws in all: the next one is the 226th of the sequence.
    EXPECT_EQ(msvcrt::rand(), r.next());
}

TEST(Runtime, ClocksCountMillisecondsSeparately) {
    DWORD mm = timeGetTime(), tick = GetTickCount();
    DWORD waited;
    do waited = timeGetTime() - mm;  // unsigned: a wrap in between is harmless
    while (waited < 100);
    DWORD ticked = GetTickCount() - tick;
    EXPECT_LT(waited, 1000u);
    EXPECT_GE(ticked, 80u) << "both count the same milliseconds";
    EXPECT_LT(ticked, 2000u);
}

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("qo-files-" + std::to_string(GetTickCount()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string write(const char* name, const std::string& bytes) {
        std::string path = (dir / name).string();
        FILE* f = fopen(path.c_str(), "wb");
        if (f) {
            fwrite(bytes.data(), 1, bytes.size(), f);
            fclose(f);
        }
        return path;
    }
    HANDLE open(const std::string& path) {
        return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    std::filesystem::path dir;
};

TEST_F(Files, MapsAWholeFileReadOnly) {
    HANDLE file = open(write("five.bin", "BM\x01\x02\x03"));
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD high = 1;
    EXPECT_EQ(GetFileSize(file, &high), 5u);
    EXPECT_EQ(high, 0u);
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(memcmp(view, "BM\x01\x02\x03", 5), 0);
    EXPECT_TRUE(UnmapViewOfFile(view));
    EXPECT_TRUE(CloseHandle(mapping));
    EXPECT_TRUE(CloseHandle(file));
}

TEST_F(Files, MissingAndEmptyFilesGiveNoMapping) {
    EXPECT_EQ(open((dir / "missing.bin").string()), INVALID_HANDLE_VALUE);
    HANDLE file = open(write("empty.bin", ""));
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr) << "nothing to map";
    EXPECT_TRUE(CloseHandle(file));
}

TEST(Media, CommandsOnAMissingFileReturnAnError) {
    // The demo never looks at these results; what matters is that they come back.
    EXPECT_NE(mciSendStringA("play qo-no-such-music.mp3", nullptr, 0, nullptr), 0u);
    EXPECT_NE(mciSendStringA("stop qo-no-such-music.mp3", nullptr, 0, nullptr), 0u);
    EXPECT_NE(mciSendStringA("close qo-no-such-music.mp3", nullptr, 0, nullptr), 0u);
}

TEST(Media, PlaysTheDemosMusicInTheBackground) {
    EXPECT_EQ(mciSendStringA("play musakki.mp3", nullptr, 0, nullptr), 0u);
#ifdef _WIN32
    // Windows can say what its device is doing; our layer understands only
    // the commands the demo sends.
    char mode[32] = {};
    EXPECT_EQ(mciSendStringA("status musakki.mp3 mode", mode, sizeof mode, nullptr), 0u);
    EXPECT_STREQ(mode, "playing");
#endif
    EXPECT_EQ(mciSendStringA("stop musakki.mp3", nullptr, 0, nullptr), 0u);
    EXPECT_EQ(mciSendStringA("close musakki.mp3", nullptr, 0, nullptr), 0u);
}

}  // namespace
