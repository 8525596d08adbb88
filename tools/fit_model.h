// The part of `import` that needs no importer: meshes read from a model merged into the one mesh
// the program draws, refused when it cannot be drawn, and fitted to the model it replaces.
#pragma once

#include "tools/generate_meshes.h"
#include "tools/import_model.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One mesh as a model places it (its node's transform applied), in triangles.
struct SourceMesh {
    std::string name;
    std::vector<std::array<float, 3>> points;
    std::vector<std::array<float, 2>> texels;  // one per point; empty when the mesh has none
    std::vector<std::array<uint32_t, 3>> triangles;
};

// The meshes merged into one (those without triangles left out), named after the first mesh
// kept (`fallbackName` when that one has no name), centred on the shipped model's place and
// scaled to its size, with the shipped model's up (a sphere is drawn turned by -90 degrees about
// X, so its +Z, where a model's +Y goes, ends up pointing up). False, with *why, when it cannot
// be drawn: no triangles, a mesh without texture coordinates, a coordinate that is not finite,
// no extent, or more points or faces than a 3DS mesh holds (then *why says which meshes would
// fit alone).
bool FitModel(const std::vector<SourceMesh>& sources, ModelSlot slot,
              const std::string& fallbackName, MeshData* mesh, std::string* why);
