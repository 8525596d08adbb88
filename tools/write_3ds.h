// 3DS files written by lib3ds's own writer, so that they hold exactly what lib3ds and any other
// 3DS reader expect: one mesh and one object node of the same name.
#pragma once

#include "tools/generate_meshes.h"

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a 3DS file holding `mesh`. Empty, with *error set, when lib3ds fails.
std::vector<uint8_t> Encode3dsFile(const MeshData& mesh, std::string* error);
