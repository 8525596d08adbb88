// The normalization cube map as an OpenGL texture, made once at start-up from the texels of
// assets/normalization_cube_map.h.
#pragma once

#include "gfx/gl.h"

extern GLuint cubeMapTexture;  // written once by BuildNormalizationCubeMap, never deleted

// Creates the texture, stores its name in cubeMapTexture and leaves it bound to
// GL_TEXTURE_CUBE_MAP_ARB; linear filters, clamped to the edges, no mipmaps.
void BuildNormalizationCubeMap();

// Computes and uploads the six faces into the cube map currently bound.
void FillNormalizationCubeMapFaces();
