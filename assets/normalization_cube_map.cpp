#include "assets/normalization_cube_map.h"

#include "math/vec3d.h"

#include <cstdlib>

GLuint cubeMapTexture = 0;

namespace {

uint8_t Encode(double component) { return uint8_t((component * 0.5 + 0.5) * 255.0); }

// The direction through texel (row i, column j) of a face, for the face orientations of
// GL_ARB_texture_cube_map; a and b run from -15.5 to 15.5 across the face of half-width 16.
Vec3d FaceVector(int face, int i, int j)
{
    const double a = i + 0.5 - 16.0;
    const double b = j + 0.5 - 16.0;
    switch (face) {
    case 0: return {16.0, -a, -b};
    case 1: return {-16.0, -a, b};
    case 2: return {b, 16.0, a};
    case 3: return {b, -16.0, -a};
    case 4: return {b, -a, 16.0};
    default: return {-b, -a, -16.0};
    }
}

}  // namespace

void FillNormalizationCubeMapFace(int face, uint8_t* texels)
{
    for (int i = 0; i < kCubeMapSize; ++i) {
        for (int j = 0; j < kCubeMapSize; ++j) {
            Vec3d v = FaceVector(face, i, j);
            NormalizeVec3(v);
            uint8_t* texel = texels + (i * kCubeMapSize + j) * 3;
            texel[0] = Encode(v.x);
            texel[1] = Encode(v.y);
            texel[2] = Encode(v.z);
        }
    }
}

void FillNormalizationCubeMapFaces()
{
    auto* texels = static_cast<uint8_t*>(std::malloc(kCubeMapFaceBytes));
    if (!texels) return;  // no map: the lookups then read black, the draw still runs
    for (int face = 0; face < 6; ++face) {
        FillNormalizationCubeMapFace(face, texels);
        glTexImage2D(GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB + face), 0, GL_RGBA8, kCubeMapSize,
                     kCubeMapSize, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
    }
    std::free(texels);
}

void BuildNormalizationCubeMap()
{
    glGenTextures(1, &cubeMapTexture);
    glBindTexture(GL_TEXTURE_CUBE_MAP_ARB, cubeMapTexture);
    // Rows of 96 bytes are a multiple of 4: the default unpack alignment reads them as packed.
    FillNormalizationCubeMapFaces();
    glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
}
