// Windows bitmap files as the program's loader reads them everywhere: a file header, a 40-byte
// info header, 24-bit BI_RGB rows, bottom row first.
#pragma once

#include <cstdint>
#include <vector>

// `rgb` holds width x height pixels as packed R, G, B rows, bottom row first.
std::vector<uint8_t> EncodeBitmap24(int width, int height, const std::vector<uint8_t>& rgb);
