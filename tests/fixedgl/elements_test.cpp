// Each case drawn by the same source through Mesa's fixed-function pipeline
// (desktop GL) and through the layer on Mesa's ES 2, compared pixel by
// pixel, with the lines each reports (errors, state).
//
// Tolerance, from measurements on Mesa 22.3 (llvmpipe): every case differs
// by at most 1 in any channel (a rounding step of 8-bit colour where the
// layer's shaders evaluate lighting and fog in another order), and its
// PSNR is 62 dB (texture_modulate) or more, most cases 80 dB to infinite.
// Real faults measured far outside that: a quad split on the wrong
// diagonal 14 to 46 dB with differences of 8 to 255, vertices transformed
// wrongly 25 dB. So at most 2 in any channel, and 55 dB.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_compare.h"

namespace {

const int kMaxDifference = 2;
const double kMinPsnr = 55.0;

struct CaseRun {
    std::vector<unsigned char> pixels;
    std::vector<std::string> state;  // lines both builds report
    std::vector<std::string> layer;  // lines only the layer's build reports
    int status = -1;
};

CaseRun run_case(const char* program, const std::string& name, const std::string& dir) {
    CaseRun r;
    std::string out = dir + "/" + name + ".rgb";
    ProgramRun run = run_program(std::string(program) + " " + name + " " + out);
    r.status = run.status;
    for (const std::string& line : run.lines) {
        if (line.compare(0, 6, "state ") == 0) r.state.push_back(line.substr(6));
        if (line.compare(0, 6, "layer ") == 0) r.layer.push_back(line.substr(6));
    }
    r.pixels = read_file_bytes(out);
    remove(out.c_str());
    return r;
}

struct Comparison {
    CaseRun mesa, layer;
};

Comparison draw_both(const std::string& name) {
    static std::string dir = scratch_directory("elements");
    return Comparison{run_case(QO_ELEMENTS_MESA, name, dir), run_case(QO_ELEMENTS_LAYER, name, dir)};
}

struct Case {
    const char* name;
    bool draws;  // false for a case that only reports
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class LayerAgainstMesa : public ::testing::TestWithParam<Case> {};

TEST_P(LayerAgainstMesa, SamePictureAndState) {
    const Case& c = GetParam();
    Comparison both = draw_both(c.name);
    ASSERT_EQ(both.mesa.status, 0);
    ASSERT_EQ(both.layer.status, 0);
    ASSERT_EQ(both.mesa.pixels.size(), 1024u * 768 * 3);
    if (c.draws) {
        EXPECT_TRUE(picture_varies(both.mesa.pixels)) << "the case draws nothing to compare";
    }
    PictureDifference d = compare_pictures(both.mesa.pixels, both.layer.pixels);
    EXPECT_LE(d.max_difference, kMaxDifference);
    EXPECT_GE(d.psnr, kMinPsnr);
    EXPECT_EQ(both.mesa.state, both.layer.state);
    RecordProperty("psnr", std::to_string(d.psnr));
    RecordProperty("max_difference", d.max_difference);
}

std::string case_name(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Scene, LayerAgainstMesa,
                         ::testing::Values(Case{"swarm_first", true}, Case{"swarm_later", true},
                                           Case{"backdrop", true}, Case{"rings", true},
                                           Case{"overlay_first", true}, Case{"overlay_second", true},
                                           Case{"fade_half", true}, Case{"frame_full", true},
                                           Case{"frame_fade", true}),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Lighting, LayerAgainstMesa,
                         ::testing::Values(Case{"sphere_normalize_off", true}, Case{"sphere_normalize_on", true},
                                           Case{"sphere_color_material", true}, Case{"sphere_spot", true},
                                           Case{"model_list_lit", true}, Case{"shininess_out_of_range", true}),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Raster, LayerAgainstMesa,
                         ::testing::Values(Case{"fog_depths", true}, Case{"fog_modes", true},
                                           Case{"texture_modulate", true}, Case{"blend_alpha", true},
                                           Case{"blend_dst_color", true}, Case{"depth_test", true},
                                           Case{"quad_corners", true}, Case{"quad_corners_clipped", true},
                                           Case{"quad_run", true}, Case{"primitives", true},
                                           Case{"gl_errors", false}),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Lists, LayerAgainstMesa,
                         ::testing::Values(Case{"list_matrices", true}, Case{"list_leaves_state", true},
                                           Case{"list_inherits", true}, Case{"list_inherit_mixed", true},
                                           Case{"list_compile_and_execute", true},
                                           Case{"list_many_materials", true}, Case{"discard_keeps_state", true}),
                         case_name);
INSTANTIATE_TEST_SUITE_P(Shortcuts, LayerAgainstMesa,
                         ::testing::Values(Case{"fog_one_depth", true}, Case{"texture_filters", true},
                                           Case{"texture_matrix_q", true}, Case{"blend_opaque_or_not", true},
                                           Case{"light_partly_diffuse", true}),
                         case_name);

// A whole frame of the scene is a few dozen ES 2 draws: one per replay of
// the model list (45 cells) and one per immediate-mode element drawn under
// its own state (backdrop, the two rings together, two overlays), where the
// calls the demo makes number in the thousands.
TEST(LayerDrawCalls, AFrameIsAFewDozenDraws) {
    Comparison both = draw_both("frame_full");
    ASSERT_EQ(both.layer.layer.size(), 1u);
    unsigned long draws = 0;
    ASSERT_EQ(sscanf(both.layer.layer[0].c_str(), "draw_calls %lu", &draws), 1);
    EXPECT_GE(draws, 45u);
    EXPECT_LE(draws, 45u + 4u);
}

}  // namespace
