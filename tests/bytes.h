// The bytes of the files the tests write and read: little-endian fields, as 3DS and bitmap files
// hold them, read with the platform's own readers (platform/byte_order.h), and 3DS chunks.
#pragma once

#include "platform/byte_order.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline uint16_t U16At(const Bytes& b, size_t at) { return ReadU16(&b[at]); }
inline uint32_t U32At(const Bytes& b, size_t at) { return ReadU32(&b[at]); }

inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

inline Bytes U16(uint16_t v) { return {uint8_t(v), uint8_t(v >> 8)}; }
inline Bytes U32(uint32_t v) { return Cat({U16(uint16_t(v)), U16(uint16_t(v >> 16))}); }
inline Bytes F32(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return U32(bits);
}
// A string with its terminating NUL, as 3DS names are stored.
inline Bytes Str(const std::string& s) { return Bytes(s.c_str(), s.c_str() + s.size() + 1); }

// A 3DS chunk: its id, its length (which counts the 6-byte header) and its parts.
inline Bytes Chunk(uint16_t id, std::initializer_list<Bytes> parts)
{
    const Bytes body = Cat(parts);
    return Cat({U16(id), U32(uint32_t(body.size() + 6)), body});
}
