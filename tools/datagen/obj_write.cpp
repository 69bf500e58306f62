#include "tools/datagen/obj_write.h"

#include <cstdio>

namespace datagen {

namespace {

// Fixed decimals keep the text short and the same on every machine.
void append_format(std::string& out, const char* fmt, double a, double b, double c) {
  char line[128];
  std::snprintf(line, sizeof line, fmt, a, b, c);
  out += line;
}

}  // namespace

std::string obj_text(const Mesh& m, const std::string& mtllib_name) {
  std::string out;
  out += "# qo datagen: crystal star with a ring\n";
  out += "mtllib " + mtllib_name + "\n\n";
  for (const Vec3& p : m.positions) append_format(out, "v %.5f %.5f %.5f\n", p.x, p.y, p.z);
  out += "\n";
  for (const Vec2& t : m.texcoords) append_format(out, "vt %.4f %.4f\n", t.u, t.v, 0.0);
  for (const MeshGroup& g : m.groups) {
    out += "\ng " + g.name + "\n";
    out += "usemtl " + m.materials[g.material].name + "\n";
    for (const Face& f : g.faces) {
      out += "f";
      for (const Corner& c : f.corners)
        out += " " + std::to_string(c.vertex + 1) + "/" + std::to_string(c.texcoord + 1);
      out += "\n";
    }
  }
  return out;
}

std::string mtl_text(const Mesh& m) {
  std::string out = "# qo datagen: materials of the crystal star\n";
  for (const Material& mat : m.materials) {
    out += "\nnewmtl " + mat.name + "\n";
    append_format(out, "Ka %.3f %.3f %.3f\n", mat.ambient[0], mat.ambient[1], mat.ambient[2]);
    append_format(out, "Kd %.3f %.3f %.3f\n", mat.diffuse[0], mat.diffuse[1], mat.diffuse[2]);
    append_format(out, "Ks %.3f %.3f %.3f\n", mat.specular[0], mat.specular[1], mat.specular[2]);
    append_format(out, "Ns %.1f\n", mat.shininess, 0.0, 0.0);
  }
  return out;
}

}  // namespace datagen
