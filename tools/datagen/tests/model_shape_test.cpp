#include "tools/datagen/model_shape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/obj_write.h"

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

// Each edge of a closed surface is met once in each direction when every face
// is wound the same way; the enclosed volume is then positive for outward faces.
void expect_closed_and_outward(const datagen::Mesh& m, const datagen::MeshGroup& g) {
  std::map<std::pair<int, int>, int> edges;
  double volume = 0.0;
  for (const datagen::Face& f : g.faces) {
    const size_t n = f.corners.size();
    for (size_t i = 0; i < n; ++i) ++edges[{f.corners[i].vertex, f.corners[(i + 1) % n].vertex}];
    for (size_t i = 1; i + 1 < n; ++i) {
      const datagen::Vec3 a = m.positions[f.corners[0].vertex];
      const datagen::Vec3 b = m.positions[f.corners[i].vertex];
      const datagen::Vec3 c = m.positions[f.corners[i + 1].vertex];
      volume += datagen::dot(a, datagen::cross(b, c)) / 6.0;
    }
  }
  for (const auto& [edge, count] : edges) {
    EXPECT_EQ(count, 1) << g.name << " edge " << edge.first << "-" << edge.second;
    EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << g.name << " open edge";
  }
  EXPECT_GT(volume, 0.0) << g.name;
}

TEST(CrystalStar, CoreAndRingAreClosedAndFaceOutward) {
  const datagen::Mesh m = datagen::make_crystal_star();
  for (const datagen::MeshGroup& g : m.groups)
    if (g.name != "crystals") expect_closed_and_outward(m, g);
}

TEST(Mesh, AddFaceOutwardTurnsAnInwardFaceRound) {
  datagen::Mesh m;
  datagen::MeshGroup g{"g", 0, {}};
  for (datagen::Vec3 p : {datagen::Vec3{0, 0, 1}, datagen::Vec3{0, 1, 1}, datagen::Vec3{1, 0, 1}})
    datagen::add_position(m, p);
  // Wound clockwise seen from +z, with the inside below: it must be reversed.
  datagen::add_face_outward(m, g, {{0, 0}, {1, 1}, {2, 2}}, {0, 0, 0});
  ASSERT_EQ(g.faces.size(), 1u);
  EXPECT_EQ(g.faces[0].corners[0].vertex, 0);
  EXPECT_EQ(g.faces[0].corners[1].vertex, 2);
  EXPECT_EQ(g.faces[0].corners[2].vertex, 1);
  EXPECT_EQ(g.faces[0].corners[2].texcoord, 1);
  // Already outward: kept as given.
  datagen::add_face_outward(m, g, {{0, 0}, {2, 2}, {1, 1}}, {0, 0, 0});
  EXPECT_EQ(g.faces[1].corners[1].vertex, 2);
}

TEST(Mesh, FanSplitCountsTwoTrianglesPerQuad) {
  datagen::Mesh m;
  const datagen::Face quad{{{0, 0}, {1, 1}, {2, 2}, {3, 3}}};
  const datagen::Face triangle{{{0, 0}, {1, 1}, {2, 2}}};
  m.groups.push_back({"a", 0, {quad, triangle}});
  m.groups.push_back({"b", 0, {quad}});
  EXPECT_EQ(datagen::triangle_count(m), 5);
}

}  // namespace
