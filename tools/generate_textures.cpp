#include "tools/generate_textures.h"

#include "tools/brick_pattern.h"
#include "tools/normal_map.h"

namespace {

double HeightAtTexel(int x, int y) { return kBumpDepth * BrickHeight(x + 0.5, y + 0.5); }

}  // namespace

std::vector<uint8_t> MakeColorTexture()
{
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(kTextureSize) * kTextureSize * 3);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            const Rgb8 color = BrickColor(x, y);
            pixels.insert(pixels.end(), {color.r, color.g, color.b});
        }
    }
    return pixels;
}

std::vector<uint8_t> MakeBrickNormalMap()
{
    return MakeNormalMap(kTextureSize, kTextureSize, HeightAtTexel);
}
