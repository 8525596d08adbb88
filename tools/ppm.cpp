#include "tools/ppm.h"

#include <string>

std::vector<uint8_t> EncodePpm(const RgbImage& image)
{
    const std::string header =
        "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    const size_t rowBytes = size_t(image.width) * 3;
    std::vector<uint8_t> out(header.begin(), header.end());
    out.reserve(out.size() + rowBytes * size_t(image.height));
    // The image keeps its bottom row first.
    for (int32_t y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.pixels + size_t(y) * rowBytes;
        out.insert(out.end(), row, row + rowBytes);
    }
    return out;
}
