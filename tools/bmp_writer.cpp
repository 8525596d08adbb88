#include "tools/bmp_writer.h"

#include <cstddef>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void PutU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeBitmap24(int width, int height, const std::vector<uint8_t>& rgb)
{
    const uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * uint32_t(height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + imageSize);
    PutU32(out, 0);  // two reserved words
    PutU32(out, offset);

    PutU32(out, kInfoHeaderSize);
    PutU32(out, uint32_t(width));
    PutU32(out, uint32_t(height));  // positive: bottom row first
    PutU16(out, 1);                 // planes
    PutU16(out, 24);                // bits per pixel
    PutU32(out, 0);                 // BI_RGB
    PutU32(out, imageSize);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0);  // colours used: no table
    PutU32(out, 0);  // colours important

    for (int y = 0; y < height; ++y) {
        const uint8_t* pixel = rgb.data() + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x, pixel += 3)
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0]});
        out.resize(out.size() + (stride - uint32_t(width) * 3), 0);
    }
    return out;
}
