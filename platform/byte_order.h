#pragma once

#include <cstdint>

// The file formats the program reads (bitmaps, 3DS) store their numbers little-endian whatever
// the machine's order; these read and write them a byte at a time, at any alignment.

inline uint16_t ReadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

inline uint32_t ReadU32(const uint8_t* p) { return ReadU16(p) | uint32_t(ReadU16(p + 2)) << 16; }

inline void WriteU16(uint8_t* p, uint16_t value)
{
    p[0] = uint8_t(value);
    p[1] = uint8_t(value >> 8);
}

inline void WriteU32(uint8_t* p, uint32_t value)
{
    WriteU16(p, uint16_t(value));
    WriteU16(p + 2, uint16_t(value >> 16));
}
