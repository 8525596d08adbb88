// libFuzzer target: any bytes as a bitmap file, through the loader's decode and the project's
// own DIB conversion. Links with the fake platform and platform/dib/dib_convert.cpp.
#include "assets/bitmap_image.h"

#include <cstdlib>
#include <cstring>

namespace {

// Run-length data can describe a huge picture in a few bytes; past this many pixels an input
// only measures the machine's memory.
constexpr uint64_t kMaxPixels = uint64_t(1) << 22;

uint64_t ClaimedPixels(const uint8_t* data, size_t size)
{
    const size_t header = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
    if (size < header + 12) return 0;
    const uint8_t* h = data + header;
    int64_t width, height;
    if (h[0] == 12 && !h[1] && !h[2] && !h[3]) {
        width = h[4] | h[5] << 8;
        height = h[6] | h[7] << 8;
    } else {
        int32_t fields[2];
        std::memcpy(fields, h + 4, sizeof fields);  // little-endian host
        width = fields[0];
        height = fields[1];
    }
    return uint64_t(width < 0 ? -width : width) * uint64_t(height < 0 ? -height : height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (ClaimedPixels(data, size) > kMaxPixels) return 0;
    const char* message = nullptr;
    RgbImage* image = DecodeBitmapImage(data, size, &message);
    if (!image) {
        if (!message) std::abort();  // a failure must say why
        return 0;
    }
    if (message || image->width <= 0 || image->height <= 0) std::abort();
    // Reading every byte lets the sanitizers see a short pixel array.
    unsigned sum = 0;
    const size_t bytes = size_t(image->width) * size_t(image->height) * 3;
    for (size_t i = 0; i < bytes; ++i) sum += image->pixels[i];
    std::free(image->pixels);
    delete image;
    return int(sum & 0);
}
