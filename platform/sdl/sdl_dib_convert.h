// The project's own DIB decoder, standing in for GDI's SetDIBits where there is no GDI.
// Pure code over bytes: it does not touch SDL, so tests and tools use it directly.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

// The contract of PlatformConvertDibTo24.
DibConversion ConvertDibTo24Rows(const uint8_t* sourceInfo, const uint8_t* bits, size_t bitsSize,
                                 uint8_t* target);
