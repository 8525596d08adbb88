#include "tools/generate_textures.h"

#include "tools/brick_pattern.h"

#include <cmath>

namespace {

uint8_t Encode(double component) { return uint8_t(std::lround((component * 0.5 + 0.5) * 255.0)); }

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

std::vector<uint8_t> MakeNormalMap()
{
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(kTextureSize) * kTextureSize * 3);
    for (int y = 0; y < kTextureSize; ++y) {
        for (int x = 0; x < kTextureSize; ++x) {
            // Central differences; the pattern repeats, so its neighbours wrap around.
            const double dx = (HeightAtTexel(x + 1, y) - HeightAtTexel(x - 1, y)) / 2;
            const double dy = (HeightAtTexel(x, y + 1) - HeightAtTexel(x, y - 1)) / 2;
            // The surface (x, y, h) has the normal (-dh/dx, -dh/dy, 1): a rising edge leans away
            // from the direction it rises in.
            const double length = std::sqrt(dx * dx + dy * dy + 1.0);
            pixels.insert(pixels.end(),
                          {Encode(-dx / length), Encode(-dy / length), Encode(1.0 / length)});
        }
    }
    return pixels;
}
