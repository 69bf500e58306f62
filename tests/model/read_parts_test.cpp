// Reading in chunks on several threads against reading in one: the same
// model bit for bit, the same failure, the same standard output, on the fuzz
// corpus cut every few bytes and on generated files large enough to split,
// with failures planted at places that different chunks read.
#include <dirent.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fuzz/read_outcome.h"
#include "tests/model/read_helpers.h"
#include "tests/support/environment.h"

namespace {

std::string read_whole(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    EXPECT_TRUE(f) << path;
    if (!f) return text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
    fclose(f);
    return text;
}

std::vector<std::string> corpus(const std::string& dir) {
    std::vector<std::string> files;
    DIR* d = opendir(dir.c_str());
    EXPECT_TRUE(d) << dir;
    while (dirent* e = d ? readdir(d) : nullptr)
        if (e->d_name[0] != '.') files.push_back(read_whole(dir + "/" + e->d_name));
    if (d) closedir(d);
    return files;
}

// Compares a reading in chunks with reading in one; returns the chunks it used.
size_t expect_same_as_one(const std::string& text, GlmFileSource source, const void* context, Split split,
                          const std::string& what) {
    ReadOutcome one = read_split(text.data(), text.size(), source, (void*)context, {0, false, 1});
    ReadOutcome parts = read_split(text.data(), text.size(), source, (void*)context, split);
    EXPECT_EQ(one.parts, 1u);
    EXPECT_TRUE(same_outcome(one, parts))
        << what << ", chunks of " << split.chunk_bytes << (split.anywhere ? " cut anywhere" : "") << ", "
        << split.threads << " threads\none: " << (one.failure.message ? one.failure.message : "(read)")
        << "parts: " << (parts.failure.message ? parts.failure.message : "(read)") << "\nstdout one:\n"
        << one.out.substr(0, 300) << "\nstdout parts:\n" << parts.out.substr(0, 300);
    size_t used = parts.parts;
    release(&one);
    release(&parts);
    return used;
}

size_t expect_same_as_one(const std::string& text, const Library& libs, Split split, const std::string& what) {
    return expect_same_as_one(text, library_source, &libs, split, what);
}

TEST(ReadParts, FuzzCorpusCutEveryFewBytesReadsAsInOne) {
    const std::vector<std::string> files = corpus("../fuzz/corpus/obj");
    ASSERT_FALSE(files.empty());
    size_t joined = 0, reads = 0;
    for (const std::string& file : files) {
        // As the fuzz target reads it: every library is the text after "%%MTL".
        ObjInput input = split_obj_input(file.data(), file.size());
        const std::string text(input.text, input.size);
        for (size_t bytes : {1, 2, 3, 5, 8, 13, 21, 40})
            for (bool anywhere : {false, true})
                for (unsigned threads : {1u, 2u}) {
                    reads++;
                    joined += expect_same_as_one(text, obj_input_library, &input, {bytes, anywhere, threads},
                                                 "corpus file") > 1;
                }
    }
    // Most line-start cuts fit together: the reading in chunks itself was compared.
    EXPECT_GT(joined, reads / 4);
}

// A large OBJ text with a little of everything the reader meets: two
// material libraries, groups that come back, materials found and not found,
// every face form with relative indices, polygons, comments longer than a
// line read, blank lines, CR LF line ends and keywords the reader skips.
std::string generated(unsigned seed, size_t approximate_bytes) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
    std::string t = "# generated\nmtllib a.mtl\n";
    int v = 0, vt = 0, vn = 0;
    char line[512];
    while (t.size() < approximate_bytes) {
        switch (pick(12)) {
            case 0:
                snprintf(line, sizeof line, "g part%d\n", pick(40));
                t += line;
                break;
            case 1:
                t += pick(4) ? "usemtl red\n" : pick(2) ? "usemtl blue\n" : "usemtl nowhere\n";
                break;
            case 2:
                t += "# " + std::string(100 + pick(100), '0' + pick(10)) + (pick(2) ? "\n" : "\r\n");
                break;
            case 3:
                t += pick(2) ? "s 1\n\n" : "o thing\r\n";
                break;
            default:
                for (int k = pick(20); k >= 0; k--) {
                    switch (pick(3)) {
                        case 0:
                            snprintf(line, sizeof line, "v %.6f %g %.3e\n", pick(2000) / 1000.0 - 1, pick(100) * 0.5,
                                     pick(1000) / 7.0);
                            v++;
                            break;
                        case 1:
                            snprintf(line, sizeof line, "vt %.4f %.4f\n", pick(1000) / 1000.0, pick(1000) / 1000.0);
                            vt++;
                            break;
                        default:
                            snprintf(line, sizeof line, "vn 0 %d -%d.5\n", pick(3), pick(3));
                            vn++;
                    }
                    t += line;
                }
                if (v < 3 || vt < 3 || vn < 3) break;
                for (int k = pick(12); k >= 0; k--) {
                    int form = pick(4), corners = 3 + pick(3) * pick(3);
                    t += "f";
                    for (int c = 0; c < corners; c++) {
                        // Absolute or relative, always inside what has been read.
                        int a = pick(2) ? 1 + pick(v) : -1 - pick(v), b = 1 + pick(vt), n = -1 - pick(vn);
                        if (form == 0) snprintf(line, sizeof line, " %d", a);
                        if (form == 1) snprintf(line, sizeof line, " %d/%d", a, b);
                        if (form == 2) snprintf(line, sizeof line, " %d/%d/%d", a, b, n);
                        if (form == 3) snprintf(line, sizeof line, " %d//%d", a, n);
                        t += line;
                    }
                    t += pick(8) ? "\n" : "\r\n";
                }
        }
    }
    return t;
}

const Library kLibraries = {{"dir/a.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n"},
                            {"dir/b.mtl", "newmtl blue\nnewmtl green\n"}};

TEST(ReadParts, GeneratedFilesReadInParallelAsInOne) {
    for (unsigned seed : {1u, 2u}) {
        const std::string text = generated(seed, 3u << 20);
        // Automatic chunks (the text is large enough to split) on 2 and 3
        // threads, and many small chunks.
        EXPECT_GT(expect_same_as_one(text, kLibraries, {0, false, 2}, "generated"), 2u);
        EXPECT_GT(expect_same_as_one(text, kLibraries, {0, false, 3}, "generated"), 2u);
        EXPECT_GT(expect_same_as_one(text, kLibraries, {20000, false, 2}, "generated"), 100u);
    }
}

// Inserts `what` at the first line start at or after the fraction `at` of the text.
std::string planted(const std::string& text, double at, const std::string& what) {
    size_t p = text.find('\n', (size_t)(at * text.size()));
    return text.substr(0, p + 1) + what + text.substr(p + 1);
}

TEST(ReadParts, TheEarliestFailureWinsWhicheverChunkMeetsIt) {
    // 2.5 MiB: three automatic chunks, the last from 2 MiB on.
    const std::string text = generated(3, 5u << 19);
    const std::string vp = "vp 1 2\n", bad_index = "f 1 2 2000000000\n", no_library = "mtllib none.mtl\n",
                      second_library = "mtllib b.mtl\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"unknown token late", planted(text, 0.9, vp)},
        {"bad index in the middle", planted(text, 0.5, bad_index)},
        // The first pass fails later in the text than the second pass would.
        {"bad index early, unknown token late", planted(planted(text, 0.1, bad_index), 0.8, vp)},
        {"two bad indices", planted(planted(text, 0.3, bad_index), 0.7, "f 1 1 -2000000000\n")},
        {"missing library late, unknown token later", planted(planted(text, 0.6, no_library), 0.9, vp)},
        {"unknown token early, missing library late", planted(planted(text, 0.2, vp), 0.9, no_library)},
        // A second library in the middle: later lookups use its materials.
        {"second library", planted(text, 0.5, second_library)},
        // The first pass counts a face that the second pass skips with a line.
        {"fewer triangles than counted", planted(text, 0.99, "v 1 2 3 pad" + std::string(116, 'x') + " f 1 1 1\n")},
    };
    for (const auto& c : cases) {
        EXPECT_GT(expect_same_as_one(c.text, kLibraries, {0, false, 2}, c.what), 1u) << c.what;
        expect_same_as_one(c.text, kLibraries, {30000, false, 2}, c.what);
    }
}

TEST(ReadParts, ChunksThatDoNotJoinUpAreReadAgainInOne) {
    // A vertex with two numbers before a line that begins with "nan": the
    // vertex read takes the nan, so that line is no place to begin a chunk.
    std::string text = "v 0 0 0\nv 0 0 0\n";
    for (int i = 0; i < 4000; i++) text += "v 1 2\nnan" + std::to_string(i) + "\nv 1 2 3\nf -1 -2 -3\n";
    EXPECT_EQ(expect_same_as_one(text, {}, {9, false, 2}, "nan after a short vertex"), 1u);
    // Cuts inside words and numbers.
    std::string plain;
    for (int i = 1; i <= 3000; i++) plain += "v " + std::to_string(i) + " 0.25 1\nf -1 -1 -1\n";
    EXPECT_EQ(expect_same_as_one(plain, {}, {1000, true, 2}, "cut anywhere"), 1u);
    // A cut at the face that the first pass skips with its vertex line and
    // the second pass reads after the vertex's numbers: reading in one chunk
    // fails there, the second pass of the chunks would fit together.
    std::string vertex_then_face;
    for (int i = 0; i < 100; i++) vertex_then_face += "v 1 2 3 f 1 1 1\n";
    EXPECT_EQ(expect_same_as_one(vertex_then_face, {}, {8, true, 1}, "face after a vertex"), 1u);
    // A vertex line whose end the first pass reads as another vertex line,
    // while the second pass skips it: the chunks after it would write their
    // vertices one place too far.
    const std::string long_vertex = "v 1 2 3 pad" + std::string(116, 'x') + " v 1 1 1\n";
    EXPECT_EQ(expect_same_as_one(planted(generated(4, 3u << 20), 0.2, long_vertex), kLibraries, {0, false, 2},
                                 "vertex the second pass skips"),
              1u);
    // Cut only at line starts, the same text splits.
    EXPECT_GT(expect_same_as_one(plain, {}, {1000, false, 2}, "cut at lines"), 1u);
}

TEST(ReadParts, AGroupLineOnlyOnePassMeetsMayNameTheGroupCurrentAtTheChunksStart) {
    // The last chunk begins in " part7". There only one of the passes meets
    // "g part7" again: the second, after a vertex's numbers; or the first,
    // after the 127 characters of a line read; either way " part7" goes on.
    std::string text = "v 0 0 0\nv 1 0 0\nv 0 1 0\ng part7\n";
    while (text.size() < (5u << 19)) text += "f 1 2 3\n";
    for (const std::string& again : {std::string("v 1 2 3 g part7\n"), "v 1 2 3 pad" + std::string(116, 'x') + " g part7\n"})
        EXPECT_GT(expect_same_as_one(text + again + "f 1 2 3\nf 3 2 1\n", {}, {0, false, 2}, again), 1u);
}

// Face lines the first pass counts without reading their numbers, and lines
// just unlike them that it reads corner by corner: counted either way (no
// faces kept for the second pass), the model and messages are those of
// reading with kept faces.
TEST(ReadParts, FacesCountedByTheirLinesAsByTheirCorners) {
    const std::string faces[] = {
        "f 1 2 3", "f 1/1 2/2 3/3 1/2", "f 1/1/1 2/2/2 3/3/3", "f 1//1 2//1 3//1 1//1 2//1", "f 1", "f 1 2",
        "f\t1/1/1  2/2/2\t3/3/3 \r", "f 1 2 3\n4", "f 1 2 3\n-1", "f 1 2 3\n\n  +2 1 3", "f 1 2 3\n\n\ng x",
        "f 1/1/1 2/2 3/3/3", "f 1//1 2/2/2 3//1", "f 1/1/1/1 2/2/2 3/3/3", "f 1///1 2 3", "f 1/ 2/ 3/ 4/ 5/",
        "f /1 2 3", "f 1 2 3 x", "f 1 2 3 -1", "f -1 -2 -3", "f 000000000001 2 3", std::string("f 1\0 2 3", 8),
        "f 1 2 3                                                                  4 5", "f\n1 2 3", "fx 1 2 3",
    };
    std::string all = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nv 0 0 1\nvt 0 0\nvt 1 1\nvt 1 0\nvn 0 0 1\n";
    const std::string head = all, tail = std::string(80, '#') + "\n";
    for (const std::string& face : faces) {
        // Each face alone, with 64 bytes and more after it.
        const std::string text = head + face + "\n" + tail;
        ReadOutcome kept = read_split(text.data(), text.size(), nullptr, nullptr, {0, false, 1});
        GlmReadOptions faces_read_again;
        faces_read_again.face_cache = false;
        ReadOutcome counted =
            read_split(text.data(), text.size(), nullptr, nullptr, {0, false, 1}, "dir/m.obj", faces_read_again);
        EXPECT_TRUE(same_outcome(kept, counted)) << face;
        release(&kept);
        release(&counted);
        all += face + "\n";
    }
    all += tail;
    EXPECT_GT(expect_same_as_one(all, {}, {40, false, 1}, "every face"), 1u);
}

// QO_READ_THREADS chooses the threads; one thread reads in one chunk, and
// so does any thread count for a text under 2 MiB such as the demo's model.
TEST(ReadParts, ThreadsComeFromQoReadThreadsAndSmallTextsStayInOneChunk) {
    const std::string large = generated(5, 3u << 20), small = read_whole("../../data/met1.obj");
    ASSERT_FALSE(small.empty());
    const char* saved = getenv("QO_READ_THREADS");
    const std::string before = saved ? saved : "";
    auto parts = [](const std::string& text, const char* setting) {
        set_environment("QO_READ_THREADS", setting);
        // The model's library is found for the large text only; either way the chunks are counted.
        ReadOutcome r = read_split(text.data(), text.size(), library_source, (void*)&kLibraries, {0, false, 0});
        release(&r);
        return r.parts;
    };
    EXPECT_EQ(parts(large, "1"), 1u);
    EXPECT_GT(parts(large, "2"), 1u);
    EXPECT_GT(parts(large, "16"), 1u);
    EXPECT_EQ(parts(large, "0"), parts(large, nullptr));  // not a thread count: every core
    EXPECT_EQ(parts(large, "two"), parts(large, nullptr));
    EXPECT_EQ(parts(small, "2"), 1u);
    set_environment("QO_READ_THREADS", saved ? before.c_str() : nullptr);
}

// Reads of different models on threads of their own, at once, share
// nothing: each model, with normals made afterwards, is what reading it
// alone gives, and a failing read's message is its own.
TEST(ReadParts, DifferentModelsReadOnThreadsAtOnceAsReadAlone) {
    struct Job {
        std::string text;
        Split split;
        _GLMmodel* alone = nullptr;
        _GLMmodel* together = nullptr;
        std::string failure;
    };
    std::vector<Job> jobs(6);
    const Split ways[] = {{0, false, 1}, {0, false, 2}, {20000, false, 2}};
    for (size_t i = 0; i < jobs.size(); i++) {
        jobs[i].text = generated(20 + (unsigned)i, i % 2 ? 3u << 20 : 30000);
        jobs[i].split = ways[i % 3];
    }
    jobs.back().text += "vp 1 2 3\n";  // an unknown keyword at the end: this read fails
    auto read = [](Job* job, _GLMmodel** model) {
        GlmReadOptions options;
        options.chunk_bytes = job->split.chunk_bytes;
        options.threads = job->split.threads;
        GlmReadFailure failure;
        *model = glm_read_obj_bytes("dir/m.obj", job->text.data(), job->text.size(), library_source,
                                    (void*)&kLibraries, &failure, options);
        if (*model) {
            glmFacetNormals(*model);
            glmVertexNormals(*model, 90);
        } else {
            job->failure = failure.message ? failure.message : "";
        }
        free(failure.message);
    };
    for (Job& job : jobs) read(&job, &job.alone);
    const std::string alone_failure = jobs.back().failure;
    std::vector<std::thread> threads;
    for (Job& job : jobs) threads.emplace_back(read, &job, &job.together);
    for (std::thread& t : threads) t.join();
    for (size_t i = 0; i < jobs.size(); i++) {
        ASSERT_EQ(!jobs[i].alone, !jobs[i].together) << i;
        if (!jobs[i].alone) continue;
        EXPECT_TRUE(same_model(jobs[i].alone, jobs[i].together)) << i;
        glmDelete(jobs[i].alone);
        glmDelete(jobs[i].together);
    }
    EXPECT_EQ(alone_failure, "glmFirstPass(): Unknown token \"vp\".\n");
    EXPECT_EQ(jobs.back().failure, alone_failure);
}

}  // namespace
