#include "tools/datagen/model_shape.h"

#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "tools/datagen/det_math.h"
#include "tools/datagen/prng.h"

namespace datagen {

namespace {

constexpr double kCoreRadius = 0.42;
constexpr int kRingSegments = 40;
constexpr int kRingSides = 6;
constexpr int kCrystalSides = 6;

Material material(const char* name, double amb, double shine, double ns) {
  return Material{name, {amb, amb, amb}, {0.1, 0.1, 0.1}, {shine, shine, shine}, ns};
}

// Icosahedron split once, every point pushed onto the sphere: 42 vertices, 80 triangles.
void add_core(Mesh& m, MeshGroup& g) {
  const double t = (1.0 + std::sqrt(5.0)) / 2.0;
  const std::array<Vec3, 12> ico = {{{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0},
                                     {0, -1, t}, {0, 1, t}, {0, -1, -t}, {0, 1, -t},
                                     {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}}};
  const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                            {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                            {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                            {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
  // Each sphere point has its own texture coordinate: a planar projection.
  auto point = [&m](Vec3 dir) {
    const Vec3 p = scale(normalized(dir), kCoreRadius);
    add_position(m, p);
    add_texcoord(m, {0.5 + p.x / (2 * kCoreRadius), 0.5 + p.y / (2 * kCoreRadius)});
    return int(m.positions.size()) - 1;
  };
  std::array<int, 12> corner{};
  for (int i = 0; i < 12; ++i) corner[i] = point(ico[i]);
  std::map<std::pair<int, int>, int> midpoints;
  auto midpoint = [&](int a, int b) {
    const std::pair<int, int> key{std::min(a, b), std::max(a, b)};
    auto it = midpoints.find(key);
    if (it != midpoints.end()) return it->second;
    const int v = point(add(m.positions[a], m.positions[b]));
    midpoints[key] = v;
    return v;
  };
  const Vec3 centre{0, 0, 0};
  for (const auto& f : faces) {
    const int a = corner[f[0]], b = corner[f[1]], c = corner[f[2]];
    const int ab = midpoint(a, b), bc = midpoint(b, c), ca = midpoint(c, a);
    const int tris[4][3] = {{a, ab, ca}, {ab, b, bc}, {ca, bc, c}, {ab, bc, ca}};
    for (const auto& tri : tris)
      add_face_outward(m, g, {{tri[0], tri[0]}, {tri[1], tri[1]}, {tri[2], tri[2]}}, centre);
  }
}

// One hexagonal crystal along `dir`: a prism from inside the core out to
// length - tip, then a six-sided point. 6 quads and 6 triangles.
void add_crystal(Mesh& m, MeshGroup& g, Vec3 dir, double length, double radius, double twist) {
  const Vec3 axis = normalized(dir);
  const Vec3 helper = std::fabs(axis.y) < 0.9 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
  const Vec3 side_u = normalized(cross(axis, helper));
  const Vec3 side_v = cross(axis, side_u);
  const double base = kCoreRadius * 0.6;
  const double shoulder = length - radius * 2.6;
  int inner[kCrystalSides + 1], outer[kCrystalSides + 1];
  int tex_inner[kCrystalSides + 1], tex_outer[kCrystalSides + 1];
  for (int k = 0; k <= kCrystalSides; ++k) {
    const double a = twist + 2.0 * kPi * double(k % kCrystalSides) / kCrystalSides;
    const Vec3 rim = add(scale(side_u, radius * det_cos(a)), scale(side_v, radius * det_sin(a)));
    if (k < kCrystalSides) {
      inner[k] = add_position(m, add(scale(axis, base), scale(rim, 0.8)));
      outer[k] = add_position(m, add(scale(axis, shoulder), rim));
    } else {
      inner[k] = inner[0];
      outer[k] = outer[0];
    }
    const double u = double(k) / kCrystalSides;
    tex_inner[k] = add_texcoord(m, {u, 0.0});
    tex_outer[k] = add_texcoord(m, {u, 0.8});
  }
  const int tip = add_position(m, scale(axis, length));
  const int tex_tip = add_texcoord(m, {0.5, 1.0});
  for (int k = 0; k < kCrystalSides; ++k) {
    const Vec3 inside = scale(axis, (base + shoulder) / 2);
    add_face_outward(m, g,
                     {{inner[k], tex_inner[k]},
                      {inner[k + 1], tex_inner[k + 1]},
                      {outer[k + 1], tex_outer[k + 1]},
                      {outer[k], tex_outer[k]}},
                     inside);
    add_face_outward(m, g, {{outer[k], tex_outer[k]}, {outer[k + 1], tex_outer[k + 1]}, {tip, tex_tip}},
                     scale(axis, shoulder));
  }
}

// Long crystals on the six axes, short ones on the eight diagonals, each with
// its own twist and a little variation in length.
void add_crystals(Mesh& m, MeshGroup& g) {
  Prng rng = prng_seeded(0x51ED5EEDu);
  const Vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  for (const Vec3& a : axes) {
    const double length = prng_range(rng, 1.45, 1.75);
    add_crystal(m, g, a, length, 0.11, prng_range(rng, 0.0, kPi));
  }
  for (int i = 0; i < 8; ++i) {
    const Vec3 d{(i & 1) ? 1.0 : -1.0, (i & 2) ? 1.0 : -1.0, (i & 4) ? 1.0 : -1.0};
    const double length = prng_range(rng, 0.85, 1.05);
    add_crystal(m, g, d, length, 0.085, prng_range(rng, 0.0, kPi));
  }
}

// A flat ring of radius 1.15 around the y axis, tilted 24 degrees about x;
// its cross-section is a flattened hexagon. 40 x 6 quads.
void add_ring(Mesh& m, MeshGroup& g) {
  const double radius = 1.15, half_width = 0.16, half_height = 0.035;
  const double tilt = 24.0 * kPi / 180.0;
  const double ct = det_cos(tilt), st = det_sin(tilt);
  auto tilted = [ct, st](Vec3 p) { return Vec3{p.x, p.y * ct - p.z * st, p.y * st + p.z * ct}; };
  int first_vertex = int(m.positions.size());
  for (int s = 0; s < kRingSegments; ++s) {
    const double a = 2.0 * kPi * s / kRingSegments;
    const Vec3 out{det_cos(a), 0.0, det_sin(a)};
    for (int k = 0; k < kRingSides; ++k) {
      const double b = 2.0 * kPi * k / kRingSides;
      const Vec3 p = add(scale(out, radius + half_width * det_cos(b)), Vec3{0, half_height * det_sin(b), 0});
      add_position(m, tilted(p));
    }
  }
  int first_tex = int(m.texcoords.size());
  for (int s = 0; s <= kRingSegments; ++s)
    for (int k = 0; k <= kRingSides; ++k)
      add_texcoord(m, {double(s) / kRingSegments, double(k) / kRingSides});
  auto vertex = [&](int s, int k) { return first_vertex + (s % kRingSegments) * kRingSides + k % kRingSides; };
  auto tex = [&](int s, int k) { return first_tex + s * (kRingSides + 1) + k; };
  for (int s = 0; s < kRingSegments; ++s) {
    const double a = 2.0 * kPi * (s + 0.5) / kRingSegments;
    const Vec3 core_line = tilted(scale(Vec3{det_cos(a), 0.0, det_sin(a)}, radius));
    for (int k = 0; k < kRingSides; ++k) {
      add_face_outward(m, g,
                       {{vertex(s, k), tex(s, k)},
                        {vertex(s + 1, k), tex(s + 1, k)},
                        {vertex(s + 1, k + 1), tex(s + 1, k + 1)},
                        {vertex(s, k + 1), tex(s, k + 1)}},
                       core_line);
    }
  }
}

}  // namespace

Mesh make_crystal_star() {
  Mesh m;
  m.materials.push_back(material("basalt", 0.25, 0.35, 120.0));
  m.materials.push_back(material("quartz", 0.15, 0.9, 700.0));
  m.materials.push_back(material("halo", 0.2, 0.6, 400.0));
  m.groups.push_back(MeshGroup{"core", 0, {}});
  m.groups.push_back(MeshGroup{"crystals", 1, {}});
  m.groups.push_back(MeshGroup{"ring", 2, {}});
  add_core(m, m.groups[0]);
  add_crystals(m, m.groups[1]);
  add_ring(m, m.groups[2]);
  return m;
}

}  // namespace datagen
