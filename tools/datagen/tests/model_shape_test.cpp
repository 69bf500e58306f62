#include "tools/datagen/model_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/obj_write.h"
#include "tools/datagen/pictures.h"

namespace {

// What an OBJ text holds, gathered line by line, independently of the writer.
struct ObjSummary {
  int vertices = 0, texcoords = 0, normals = 0, triangles = 0, groups = 0;
  int bad_corners = 0;
  std::set<std::string> materials_used;
  std::string mtllib;
};

ObjSummary summarize(const std::string& text) {
  ObjSummary s;
  std::istringstream lines(text);
  std::string line;
  std::vector<std::string> faces;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "v") ++s.vertices;
    else if (key == "vt") ++s.texcoords;
    else if (key == "vn") ++s.normals;
    else if (key == "g") ++s.groups;
    else if (key == "usemtl") {
      std::string name;
      words >> name;
      s.materials_used.insert(name);
    }
    else if (key == "mtllib") words >> s.mtllib;
    else if (key == "f") faces.push_back(line);
  }
  for (const std::string& f : faces) {
    std::istringstream words(f.substr(1));
    std::string corner;
    int n = 0;
    while (words >> corner) {
      int v = 0, t = 0;
      char slash = 0;
      std::istringstream c(corner);
      if (!(c >> v >> slash >> t) || slash != '/' || v < 1 || v > s.vertices || t < 1 || t > s.texcoords)
        ++s.bad_corners;
      ++n;
    }
    if (n < 3 || n > 4) ++s.bad_corners;
    s.triangles += n - 2;
  }
  return s;
}

TEST(CrystalStar, ObjFitsTheDemosBudgetAndSubset) {
  const datagen::Mesh m = datagen::make_crystal_star();
  const ObjSummary s = summarize(datagen::obj_text(m, "met1.mtl"));
  EXPECT_EQ(s.mtllib, "met1.mtl");
  EXPECT_GT(s.vertices, 0);
  EXPECT_GT(s.texcoords, 0);
  EXPECT_EQ(s.normals, 0);
  EXPECT_GE(s.groups, 2);
  EXPECT_GE(s.materials_used.size(), 2u);
  EXPECT_LE(s.triangles, 1500);
  EXPECT_EQ(s.triangles, datagen::triangle_count(m));
  EXPECT_EQ(s.bad_corners, 0);
}

TEST(CrystalStar, EveryMaterialUsedIsDefinedInTheLibrary) {
  const datagen::Mesh m = datagen::make_crystal_star();
  const ObjSummary s = summarize(datagen::obj_text(m, "met1.mtl"));
  const std::string mtl = datagen::mtl_text(m);
  for (const std::string& name : s.materials_used)
    EXPECT_NE(mtl.find("newmtl " + name + "\n"), std::string::npos) << name;
}

TEST(CrystalStar, IsLongerOnItsAxesThanOnItsDiagonals) {
  // The star shape: the axis crystals reach further out than anything else.
  const datagen::Mesh m = datagen::make_crystal_star();
  double reach_axis = 0.0, reach_other = 0.0;
  for (const datagen::Vec3& p : m.positions) {
    const double r = std::sqrt(datagen::dot(p, p));
    const int zeros = (std::fabs(p.x) < 1e-9) + (std::fabs(p.y) < 1e-9) + (std::fabs(p.z) < 1e-9);
    double& reach = zeros == 2 ? reach_axis : reach_other;
    reach = std::max(reach, r);
  }
  EXPECT_GT(reach_axis, 1.4);
  EXPECT_LT(reach_other, reach_axis);
}

TEST(CrystalStar, SameTextOnEveryRun) {
  EXPECT_EQ(datagen::obj_text(datagen::make_crystal_star(), "a.mtl"),
            datagen::obj_text(datagen::make_crystal_star(), "a.mtl"));
}

TEST(Overlays, AreMostlyBlackWithSomeBrightPixels) {
  for (const datagen::IndexedPicture& p : {datagen::make_halo_overlay(), datagen::make_ladder_overlay()}) {
    size_t black = 0, bright = 0;
    for (uint8_t i : p.indices) {
      const datagen::Rgb c = p.palette[i];
      if (c.r + c.g + c.b == 0) ++black;
      if (c.r + c.g + c.b > 3 * 180) ++bright;
    }
    EXPECT_GT(black, p.indices.size() / 2);
    EXPECT_GT(bright, p.indices.size() / 100);
  }
}

}  // namespace
