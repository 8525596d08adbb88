// The normalization cube map: every texel holds the unit vector through it, so that a lookup
// with any interpolated light vector returns that vector normalised.
#pragma once

#include "gfx/gl.h"

#include <cstdint>

constexpr int kCubeMapSize = 32;  // texels along each edge of a face
constexpr int kCubeMapFaceBytes = kCubeMapSize * kCubeMapSize * 3;

extern GLuint cubeMapTexture;  // written once by BuildNormalizationCubeMap, never deleted

// One face (0 to 5: +X, -X, +Y, -Y, +Z, -Z) as R, G, B rows, row i being texel coordinate t,
// column j texel coordinate s. Components map -1..1 to 0..254 by truncation, never 255.
void FillNormalizationCubeMapFace(int face, uint8_t* texels);

// Creates the texture, stores its name in cubeMapTexture and leaves it bound to
// GL_TEXTURE_CUBE_MAP_ARB; linear filters, clamped to the edges, no mipmaps.
void BuildNormalizationCubeMap();

// Computes and uploads the six faces into the cube map currently bound.
void FillNormalizationCubeMapFaces();
