// Binary PPM (P6) images: the simplest format that any image tool reads, for comparing decoded
// bitmaps byte for byte.
#pragma once

#include "assets/bitmap_image.h"

#include <cstdint>
#include <vector>

// Header "P6\n<width> <height>\n255\n", then the rows top row first, R, G, B per pixel.
std::vector<uint8_t> EncodePpm(const RgbImage& image);
