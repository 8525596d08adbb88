// Windows bitmap files (DIB, with or without the 14-byte file header; core or info header) read
// into 24-bit RGB pixels, whatever their bit depth, through the platform's DIB conversion.
#pragma once

#include <cstddef>
#include <cstdint>

// Created with new; `pixels` comes from malloc. The caller frees both.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;  // always positive: top-down files are turned bottom-up
    // width * height * 3 bytes: R, G, B per pixel, rows unpadded, bottom row first, the layout
    // glTexImage2D takes as GL_RGB / GL_UNSIGNED_BYTE.
    uint8_t* pixels = nullptr;
};

// The length of every message the loader produces, its terminating NUL included.
constexpr size_t kImageMessageSize = 256;

// The number of colour-table entries behind a core (12-byte) or info (40-byte) bitmap header:
// colours used (its low 16 bits) when the info header names them, else 2, 16 or 256 for 1, 4 or
// 8 bits per pixel, else 0. `header` must have the whole header readable.
uint16_t BitmapColorCount(const void* header);

// The bytes of a whole bitmap file. Null on failure, with *message (when given) pointing at the
// text that tells why: "Unknown DIB file format.", "Out of memory." or "Image file conversion
// error.". Never reads outside [data, data + size).
RgbImage* DecodeBitmapImage(const uint8_t* data, size_t size, const char** message);

// A bitmap file read through the platform's file mapping. Null on failure, with the text that
// tells why in `message` (kImageMessageSize bytes; a long file name is cut to fit), which is
// empty on success. The program shows that text in a message box (gfx/bitmap_load.h).
RgbImage* ReadBitmapImage(const char* fileName, char* message);
