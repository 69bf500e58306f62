#pragma once
// The generated model in memory: positions, texture coordinates, materials and
// groups of faces (triangles or quads), all indices 0-based.
#include <string>
#include <vector>

namespace datagen {

struct Vec3 {
  double x, y, z;
};

struct Vec2 {
  double u, v;
};

struct Corner {
  int vertex;    // into Mesh::positions
  int texcoord;  // into Mesh::texcoords
};

struct Face {
  std::vector<Corner> corners;  // 3 or 4, counter-clockwise seen from outside
};

struct Material {
  std::string name;
  double ambient[3];
  double diffuse[3];
  double specular[3];
  double shininess;  // MTL scale, 0 to 1000
};

struct MeshGroup {
  std::string name;
  int material;  // into Mesh::materials
  std::vector<Face> faces;
};

struct Mesh {
  std::vector<Vec3> positions;
  std::vector<Vec2> texcoords;
  std::vector<Material> materials;
  std::vector<MeshGroup> groups;
};

Vec3 add(Vec3 a, Vec3 b);
Vec3 sub(Vec3 a, Vec3 b);
Vec3 scale(Vec3 a, double s);
double dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);
Vec3 normalized(Vec3 a);

int add_position(Mesh& m, Vec3 p);
int add_texcoord(Mesh& m, Vec2 t);

// Appends a face to the group, turning its corner order round if needed so that
// it faces away from `inside` (a point the surface wraps around).
void add_face_outward(Mesh& m, MeshGroup& g, std::vector<Corner> corners, Vec3 inside);

// Triangles that a fan split of every face gives (n corners give n - 2).
int triangle_count(const Mesh& m);

}  // namespace datagen
