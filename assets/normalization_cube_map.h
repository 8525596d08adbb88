// The normalization cube map's texels: every texel holds the unit vector through it, so that a
// lookup with any interpolated light vector returns that vector normalised. The texture itself
// is made in gfx/cube_map_texture.h.
#pragma once

#include <cstdint>

constexpr int kCubeMapSize = 32;  // texels along each edge of a face
constexpr int kCubeMapFaceBytes = kCubeMapSize * kCubeMapSize * 3;

// One face (0 to 5: +X, -X, +Y, -Y, +Z, -Z) as R, G, B rows, row i being texel coordinate t,
// column j texel coordinate s. Components map -1..1 to 0..254 by truncation, never 255.
void FillNormalizationCubeMapFace(int face, uint8_t* texels);
