// The project's own DIB decoder, standing in for GDI's SetDIBits where there is no GDI: the sdl
// backend's bitmap conversion, and the fake platform's. Pure code over bytes, no system call.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

// The contract of PlatformConvertDibTo24, with what SetDIBits into a new 24-bit DIB section
// gives: 1-, 4- and 8-bit indices past the colour table come out black, as do pixels that
// run-length data never paints; 16-bit BI_RGB pixels are 5-5-5. The colour table holds
// colours-used entries (2^bit count when that is 0 or larger); run-length data is read no
// further than the header's image size. Every target byte is written.
DibConversion ConvertDibTo24Rows(const uint8_t* sourceInfo, const uint8_t* bits, size_t bitsSize,
                                 uint8_t* target);
