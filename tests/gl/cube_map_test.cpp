// The normalization cube map as the GL texture holds it.
#include "assets/normalization_cube_map.h"
#include "gfx/cube_map_texture.h"
#include "tests/gl/gl_context_fixture.h"

#include <array>

namespace {

class CubeMapTest : public GlTest {
protected:
    std::vector<uint8_t> Face(int face)
    {
        std::vector<uint8_t> texels(kCubeMapFaceBytes);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GLenum(GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB + face), 0, GL_RGB,
                      GL_UNSIGNED_BYTE, texels.data());
        return texels;
    }

    static std::array<int, 3> Texel(const std::vector<uint8_t>& face, int row, int column)
    {
        const uint8_t* t = &face[size_t(row * kCubeMapSize + column) * 3];
        return {t[0], t[1], t[2]};
    }
};

}  // namespace

TEST_F(CubeMapTest, TexelsReadBackAsTheirDirections)
{
    BuildNormalizationCubeMap();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP_ARB, &bound);
    EXPECT_EQ(GLuint(bound), cubeMapTexture);
    GLint filter = 0, wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP_ARB, GL_TEXTURE_WRAP_R, &wrap);
    EXPECT_EQ(filter, GL_LINEAR);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);

    using T = std::array<int, 3>;
    const auto px = Face(0), nx = Face(1), py = Face(2), ny = Face(3), pz = Face(4), nz = Face(5);
    EXPECT_EQ(Texel(px, 0, 0), (T{202, 200, 200}));
    EXPECT_EQ(Texel(px, 15, 15), (T{254, 131, 131}));
    EXPECT_EQ(Texel(px, 16, 16), (T{254, 123, 123}));
    EXPECT_EQ(Texel(px, 31, 31), (T{202, 54, 54}));
    EXPECT_EQ(Texel(nx, 15, 15), (T{0, 131, 123}));
    EXPECT_EQ(Texel(nx, 0, 0), (T{52, 200, 54}));
    EXPECT_EQ(Texel(py, 0, 0), (T{54, 202, 54}));
    EXPECT_EQ(Texel(ny, 0, 0), (T{54, 52, 200}));
    EXPECT_EQ(Texel(pz, 15, 15), (T{123, 131, 254}));
    EXPECT_EQ(Texel(nz, 31, 31), (T{54, 54, 52}));

    int lowest = 255, highest = 0;
    for (const auto* face : {&px, &nx, &py, &ny, &pz, &nz}) {
        for (uint8_t byte : *face) {
            lowest = std::min<int>(lowest, byte);
            highest = std::max<int>(highest, byte);
        }
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 254);  // never 255
}
