// The pixels of the two bitmaps, kTextureSize square, as packed R, G, B rows with the bottom row
// first: the layout LoadBitmapImage returns.
#pragma once

#include <cstdint>
#include <vector>

// Height of a brick's face over the mortar, in texels: sets how steep the bevels look.
constexpr double kBumpDepth = 3.0;

std::vector<uint8_t> MakeColorTexture();

// Each texel holds the unit normal of the brick height field, scaled by kBumpDepth, in the
// tangent basis that mesh preparation computes on the generated meshes: red along increasing u,
// green along increasing v, blue along the face normal, each component c stored as
// (c * 0.5 + 0.5) * 255 rounded, so a flat texel is (128, 128, 255).
std::vector<uint8_t> MakeNormalMap();
