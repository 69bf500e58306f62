#include "tools/datagen/mesh.h"

#include <algorithm>
#include <cmath>

namespace datagen {

Vec3 add(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 scale(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 normalized(Vec3 a) {
  const double len = std::sqrt(dot(a, a));  // sqrt is correctly rounded
  return len > 0.0 ? scale(a, 1.0 / len) : a;
}

int add_position(Mesh& m, Vec3 p) {
  m.positions.push_back(p);
  return int(m.positions.size()) - 1;
}

int add_texcoord(Mesh& m, Vec2 t) {
  m.texcoords.push_back(t);
  return int(m.texcoords.size()) - 1;
}

void add_face_outward(Mesh& m, MeshGroup& g, std::vector<Corner> corners, Vec3 inside) {
  const Vec3 a = m.positions[corners[0].vertex];
  const Vec3 b = m.positions[corners[1].vertex];
  const Vec3 c = m.positions[corners[2].vertex];
  const Vec3 n = cross(sub(b, a), sub(c, a));
  Vec3 centre{0, 0, 0};
  for (const Corner& k : corners) centre = add(centre, m.positions[k.vertex]);
  centre = scale(centre, 1.0 / double(corners.size()));
  if (dot(n, sub(centre, inside)) < 0.0) std::reverse(corners.begin() + 1, corners.end());
  g.faces.push_back(Face{std::move(corners)});
}

int triangle_count(const Mesh& m) {
  int n = 0;
  for (const MeshGroup& g : m.groups)
    for (const Face& f : g.faces) n += int(f.corners.size()) - 2;
  return n;
}

}  // namespace datagen
