#include "assets/normalization_cube_map.h"

#include "math/vec3d.h"

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
