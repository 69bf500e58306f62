#pragma once
// Wavefront text of the generated model: the OBJ (v, vt, g, usemtl, f v/t)
// and its material library (newmtl, Ka, Kd, Ks, Ns).
#include <string>

#include "tools/datagen/mesh.h"

namespace datagen {

std::string obj_text(const Mesh& m, const std::string& mtllib_name);
std::string mtl_text(const Mesh& m);

}  // namespace datagen
