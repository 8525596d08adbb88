#include "gfx/cube_map_texture.h"

#include "assets/normalization_cube_map.h"

#include <cstdlib>

GLuint cubeMapTexture = 0;

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
