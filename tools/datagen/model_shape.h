#pragma once
// The demo's model: a crystal star, a faceted core with fourteen hexagonal
// crystals of two lengths, circled by a flat tilted ring.
#include "tools/datagen/mesh.h"

namespace datagen {

Mesh make_crystal_star();

}  // namespace datagen
