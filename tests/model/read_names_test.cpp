// Groups and materials found by name through a hash: the table on its own,
// and whole readings against the same readings with names found by
// searching in order, as a list search finds them.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/name_table.h"
#include "tests/fuzz/read_outcome.h"
#include "tests/model/read_helpers.h"

namespace {

TEST(NameTable, EachNameKeepsTheIndexItWasFirstAddedWith) {
    GlmNameTable table = {};
    std::vector<std::string> names;
    // Enough names to grow the slots many times; some share long prefixes,
    // one is empty, and each comes twice.
    for (int i = 0; i < 50000; i++) names.push_back(i % 7 ? "name" + std::to_string(i) : std::string(100, 'p') + std::to_string(i));
    names.push_back("");
    for (size_t i = 0; i < names.size(); i++) {
        bool added;
        ASSERT_EQ(glm_names_add(&table, names[i].c_str(), &added), i);
        ASSERT_TRUE(added);
    }
    for (size_t i = 0; i < names.size(); i++) {
        bool added;
        ASSERT_EQ(glm_names_add(&table, names[i].c_str(), &added), i);
        ASSERT_FALSE(added);
        ASSERT_EQ(glm_names_find(&table, names[i].c_str()), i);
        ASSERT_STREQ(glm_names_at(&table, (uint32_t)i), names[i].c_str());
    }
    EXPECT_EQ(glm_names_count(&table), names.size());
    EXPECT_EQ(glm_names_find(&table, "name7x"), GLM_NO_NAME);
    EXPECT_EQ(glm_names_find(&table, "name"), GLM_NO_NAME);
}

TEST(NameTable, AppendedEntriesShadowedOrUnnamedAreNeverFound) {
    for (bool linear : {false, true}) {
        GlmNameTable table;
        table.linear = linear;
        EXPECT_EQ(glm_names_append(&table, "default"), 0u);
        EXPECT_EQ(glm_names_append(&table, nullptr), 1u);
        EXPECT_EQ(glm_names_append(&table, "red"), 2u);
        EXPECT_EQ(glm_names_append(&table, "default"), 3u);
        EXPECT_EQ(glm_names_append(&table, "red"), 4u);
        EXPECT_EQ(glm_names_find(&table, "default"), 0u);
        EXPECT_EQ(glm_names_find(&table, "red"), 2u);
        EXPECT_EQ(glm_names_find(&table, ""), GLM_NO_NAME);  // the unnamed entry
        EXPECT_EQ(glm_names_count(&table), 5u);
    }
}

// Many groups that come back, materials with repeated names (the library's
// own "default" among them), names found and not found.
std::string many_names(int groups, int materials) {
    std::string t = "mtllib lib.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int i = 0; i < 4 * groups; i++) {
        t += "g  g" + std::to_string((i * 7) % groups) + "\n";
        t += "usemtl m" + std::to_string((i * 13) % (materials + 5)) + "\n";
        t += i % 5 ? "f 1 2 3\n" : "usemtl default\nf 3 2 1 2\n";
    }
    return t + "g default\nf 1 2 3\n";
}

TEST(ReadNames, HashFindsWhatSearchingInOrderFinds) {
    std::string library = "newmtl default\nKd 1 1 1\n";
    for (int i = 0; i < 300; i++) library += "newmtl m" + std::to_string(i % 250) + "\nKd 0 " + std::to_string(i) + " 0\n";
    const Library libs = {{"dir/lib.mtl", library}};
    const std::string text = many_names(400, 300);
    for (Split split : {Split{0, false, 1}, Split{4000, false, 2}}) {
        ReadOutcome hashed = read_split(text.data(), text.size(), library_source, (void*)&libs, split);
        GlmReadOptions searching;
        searching.names_linear = true;
        ReadOutcome searched =
            read_split(text.data(), text.size(), library_source, (void*)&libs, split, "dir/m.obj", searching);
        ASSERT_TRUE(hashed.model) << hashed.failure.message;
        EXPECT_TRUE(same_outcome(hashed, searched));
        EXPECT_EQ(hashed.model->ngroups, 402u);  // "default", " g0".." g399", " default"
        EXPECT_NE(hashed.out.find("can't find material \"m301\""), std::string::npos);
        release(&hashed);
        release(&searched);
    }
}

TEST(ReadNames, LookupsAgreeWithThePublicFindFunctions) {
    std::string library;
    for (int i = 0; i < 50; i++) library += "newmtl m" + std::to_string(i % 30) + "\n";
    const Library libs = {{"dir/lib.mtl", library}};
    std::string text = many_names(60, 40);
    ReadOutcome r = read_split(text.data(), text.size(), library_source, (void*)&libs, {0, false, 1});
    ASSERT_TRUE(r.model);
    // Each group's material is what glmFindMaterial gives for the last
    // "usemtl" before the group's last line, and the list is newest first.
    testing::internal::CaptureStdout();
    EXPECT_EQ(glmFindGroup(r.model, "  g6")->material, glmFindMaterial(r.model, "m9"));
    EXPECT_EQ(glmFindGroup(r.model, "  g7")->material, glmFindMaterial(r.model, "m13"));
    EXPECT_EQ(glmFindGroup(r.model, "  g5")->material, 0u);  // "usemtl default" last
    EXPECT_EQ(glmFindMaterial(r.model, "m7"), 8u);  // after "default"
    EXPECT_EQ(glmFindMaterial(r.model, "default"), 0u);
    EXPECT_EQ(glmFindGroup(r.model, "  g0")->next->name, std::string("default"));
    EXPECT_STREQ(r.model->groups->name, " default");
    testing::internal::GetCapturedStdout();
    release(&r);
}

}  // namespace
