// The pixels of the two bitmaps, kTextureSize square, as packed R, G, B rows with the bottom row
// first: the layout LoadBitmapImage returns.
#pragma once

#include <cstdint>
#include <vector>

// Height of a brick's face over the mortar, in texels: sets how steep the bevels look.
constexpr double kBumpDepth = 3.0;

std::vector<uint8_t> MakeColorTexture();

// The normal map (tools/normal_map.h) of the brick height field, scaled by kBumpDepth.
std::vector<uint8_t> MakeBrickNormalMap();
