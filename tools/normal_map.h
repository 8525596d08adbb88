// Tangent-space normal maps from height fields: the project's one normal-map maker, for the
// shipped map_normal.bmp and for `dot3bump-assets normalmap`.
#pragma once

#include "assets/bitmap_image.h"

#include <cstdint>
#include <functional>
#include <vector>

// A height field, in texels: the height of texel (x, y), x to the right, y upward (row 0 is the
// bottom row, texture coordinate v = 0), 0 <= x < width, 0 <= y < height.
using HeightField = std::function<double(int x, int y)>;

// The normal map of `heights`, as packed R, G, B rows, bottom row first. Each texel holds the
// unit normal of the surface (x, y, height) in the tangent basis that mesh preparation computes
// on a mesh whose texture is not mirrored: red along increasing u, green along increasing v, blue
// along the face normal, each component c stored as (c * 0.5 + 0.5) * 255 rounded, so a flat
// texel is (128, 128, 255). Slopes are central differences that wrap at the edges, so a field
// that tiles gives a map that tiles.
std::vector<uint8_t> MakeNormalMap(int width, int height, const HeightField& heights);

// The height field of a bitmap: its grey level (the mean of red, green and blue, 0 to 1) times
// `strength` texels.
HeightField BitmapHeights(const RgbImage& image, double strength);
