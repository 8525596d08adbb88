#include "tools/normal_map.h"

#include <cmath>

namespace {

uint8_t Encode(double component) { return uint8_t(std::lround((component * 0.5 + 0.5) * 255.0)); }

int Wrap(int value, int period) { return (value % period + period) % period; }

}  // namespace

std::vector<uint8_t> MakeNormalMap(int width, int height, const HeightField& heights)
{
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(width) * size_t(height) * 3);
    const auto at = [&](int x, int y) { return heights(Wrap(x, width), Wrap(y, height)); };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double dx = (at(x + 1, y) - at(x - 1, y)) / 2;
            const double dy = (at(x, y + 1) - at(x, y - 1)) / 2;
            // The surface (x, y, h) has the normal (-dh/dx, -dh/dy, 1): a rising edge leans away
            // from the direction it rises in.
            const double length = std::sqrt(dx * dx + dy * dy + 1.0);
            pixels.insert(pixels.end(),
                          {Encode(-dx / length), Encode(-dy / length), Encode(1.0 / length)});
        }
    }
    return pixels;
}

HeightField BitmapHeights(const RgbImage& image, double strength)
{
    return [&image, strength](int x, int y) {
        const uint8_t* texel = image.pixels + (size_t(y) * size_t(image.width) + size_t(x)) * 3;
        return strength * (double(texel[0]) + texel[1] + texel[2]) / (3 * 255.0);
    };
}
