#include "platform/dib/dib_convert.h"

#include "platform/byte_order.h"

#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;

// The BITMAPINFOHEADER fields the conversion looks at.
struct DibHeader {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    uint32_t colorsUsed = 0;
};

DibHeader ReadHeader(const uint8_t* info)
{
    DibHeader header;
    header.width = int32_t(ReadU32(info + 4));
    header.height = int32_t(ReadU32(info + 8));
    header.planes = ReadU16(info + 12);
    header.bitCount = ReadU16(info + 14);
    header.compression = ReadU32(info + 16);
    header.sizeImage = ReadU32(info + 20);
    header.colorsUsed = ReadU32(info + 32);
    return header;
}

uint64_t RowBytes(uint64_t width, unsigned bitCount) { return (width * bitCount + 31) / 32 * 4; }

uint32_t Rows(const DibHeader& h) { return h.height < 0 ? 0u - uint32_t(h.height) : h.height; }

// CreateDIBSection refuses a 24-bit section that this source's size would need.
bool TargetPossible(const DibHeader& h)
{
    if (h.width <= 0 || h.height == 0 || uint32_t(h.width) > UINT_MAX / 24) return false;
    return Rows(h) <= UINT_MAX / RowBytes(h.width, 24);
}

// What SetDIBits accepts as a source description; anything else makes it return 0.
bool SourceAccepted(const DibHeader& h, const uint8_t* info)
{
    if (h.compression == BI_RLE8 || h.compression == BI_RLE4) {
        // NOTE: GDI decodes run-length data bottom-up only, and insists on its byte count.
        if (h.height < 0 || h.sizeImage == 0) return false;
        return h.bitCount == (h.compression == BI_RLE4 ? 4 : 8);
    }
    if (h.planes == 0 || h.bitCount == 0) return false;
    if (UINT_MAX / h.bitCount < uint32_t(h.width)) return false;
    if (UINT_MAX / RowBytes(h.width, h.bitCount) < Rows(h)) return false;
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 24: return h.compression == BI_RGB;
    case 16:
    case 32:
        if (h.compression == BI_RGB) return true;
        if (h.compression != BI_BITFIELDS) return false;
        // A zero mask makes SetDIBits fail outright.
        return ReadU32(info + 40) && ReadU32(info + 44) && ReadU32(info + 48);
    default: return false;
    }
}

// A colour mask as GDI reads it: the first run of set bits, whatever lies above it ignored.
struct Channel {
    int shift = 0;
    int length = 0;
};

Channel ChannelOf(uint32_t mask)
{
    Channel channel;
    if (!mask) return channel;
    while (!(mask & 1)) {
        mask >>= 1;
        ++channel.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++channel.length;
    }
    return channel;
}

// NOTE: GDI widens a field to 8 bits by repeating its top bits once, not to the full byte: a
// set 1-bit field gives 0xC0, a 2-bit field 3 gives 0xF0; fields of 4 bits and more reach 0xFF.
// Fields wider than 8 bits keep their top 8.
uint8_t Expand(uint32_t value, Channel channel)
{
    int shift = channel.shift - (8 - channel.length);
    value = shift < 0 ? value << -shift : value >> shift;
    static const uint8_t topBits[9] = {0x00, 0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE, 0xFF};
    value &= topBits[channel.length < 8 ? channel.length : 8];
    if (channel.length < 8) value |= value >> channel.length;
    return uint8_t(value);
}

// How one source pixel becomes blue, green, red.
struct PixelFormat {
    unsigned bitCount = 0;
    uint8_t palette[256][3] = {};  // blue, green, red; entries past the table stay black
    Channel red, green, blue;
};

void ReadPalette(const DibHeader& h, const uint8_t* info, PixelFormat* format)
{
    const uint32_t size = 1u << h.bitCount;
    const uint32_t count = h.colorsUsed && h.colorsUsed < size ? h.colorsUsed : size;
    for (uint32_t i = 0; i < count; ++i) std::memcpy(format->palette[i], info + 40 + 4 * i, 3);
}

void ReadMasks(const DibHeader& h, const uint8_t* info, PixelFormat* format)
{
    uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
    if (h.bitCount == 16) {
        masks[0] = 0x7C00;  // BI_RGB 16-bit pixels are 5-5-5
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    if (h.compression == BI_BITFIELDS)
        for (int i = 0; i < 3; ++i) masks[i] = ReadU32(info + 40 + 4 * i);
    format->red = ChannelOf(masks[0]);
    format->green = ChannelOf(masks[1]);
    format->blue = ChannelOf(masks[2]);
}

void PutColor(const PixelFormat& format, uint32_t value, uint8_t* out)
{
    out[0] = Expand(value, format.blue);
    out[1] = Expand(value, format.green);
    out[2] = Expand(value, format.red);
}

void ConvertRow(const PixelFormat& format, const uint8_t* in, int32_t width, uint8_t* out)
{
    for (int32_t x = 0; x < width; ++x, out += 3) {
        switch (format.bitCount) {
        case 1: std::memcpy(out, format.palette[(in[x / 8] >> (7 - x % 8)) & 1], 3); break;
        case 4: std::memcpy(out, format.palette[(in[x / 2] >> (x % 2 ? 0 : 4)) & 0xF], 3); break;
        case 8: std::memcpy(out, format.palette[in[x]], 3); break;
        case 16: PutColor(format, ReadU16(in + 2 * x), out); break;
        case 24: std::memcpy(out, in + 3 * x, 3); break;
        case 32: PutColor(format, ReadU32(in + 4 * x), out); break;
        }
    }
}

// Run-length data decoded to one palette index per pixel, bottom row first, with the pixels the
// data actually painted; GDI leaves all others as they were, black in a new section.
struct DecodedRuns {
    uint8_t* index = nullptr;
    uint8_t* painted = nullptr;
};

// NOTE: GDI marks a row's painted span only when an escape (end of line, delta, end of bitmap)
// closes it: the span still open when the data runs out, or when an absolute run would overrun
// it, is not painted. Every read stays within `size` bytes.
void DecodeRuns(const DibHeader& h, const uint8_t* data, size_t size, const DecodedRuns& runs)
{
    const int32_t width = h.width;
    const bool nibbles = h.bitCount == 4;
    int32_t x = 0, y = 0, left = 0;  // y counts rows from the bottom
    auto closeSpan = [&] {
        std::memset(runs.painted + size_t(y) * width + left, 1, size_t(x - left));
    };
    size_t i = 0;
    while (i + 1 < size) {
        const uint8_t count = data[i], value = data[i + 1];
        i += 2;
        uint8_t* row = runs.index + size_t(y) * width;
        if (count) {
            const int32_t n = count < width - x ? count : width - x;
            for (int32_t k = 0; k < n; ++k)
                row[x + k] = nibbles ? (k % 2 ? value & 0xF : value >> 4) : value;
            x += n;
        } else if (value == 0) {
            closeSpan();
            x = left = 0;
            if (++y >= h.height) return;
        } else if (value == 1) {
            closeSpan();
            return;
        } else if (value == 2) {
            closeSpan();
            if (i + 1 >= size) return;
            x = data[i] < width - x ? x + data[i] : width;
            left = x;
            y += data[i + 1];
            if (y >= h.height) return;
            i += 2;
        } else {
            const size_t bytes = (size_t(value) * h.bitCount + 7) / 8;
            if (bytes > size - i) return;
            const int32_t n = value < width - x ? value : width - x;
            for (int32_t k = 0; k < n; ++k)
                row[x + k] = nibbles ? (data[i + k / 2] >> (k % 2 ? 0 : 4)) & 0xF : data[i + k];
            x += n;
            i += (bytes + 1) & ~size_t(1);  // absolute runs keep the data 16-bit aligned
        }
    }
}

}  // namespace

DibConversion ConvertDibTo24Rows(const uint8_t* sourceInfo, const uint8_t* bits, size_t bitsSize,
                                 uint8_t* target)
{
    if (ReadU32(sourceInfo) != 40) return DibConversion::ConversionError;
    DibHeader h = ReadHeader(sourceInfo);
    const bool runLength = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    // Run-length reads stop at the image size, which must not pass the end of the data.
    if (runLength && h.sizeImage > bitsSize) h.sizeImage = uint32_t(bitsSize);
    if (!TargetPossible(h)) return DibConversion::OutOfMemory;
    if (!SourceAccepted(h, sourceInfo)) return DibConversion::ConversionError;

    const uint32_t rows = Rows(h);
    const size_t targetRow = size_t(RowBytes(h.width, 24));
    const size_t sourceRow = runLength ? size_t(h.width) : size_t(RowBytes(h.width, h.bitCount));
    if (!runLength && sourceRow * rows > bitsSize) return DibConversion::ConversionError;

    PixelFormat format;
    format.bitCount = runLength ? 8 : h.bitCount;
    if (h.bitCount <= 8)
        ReadPalette(h, sourceInfo, &format);
    else
        ReadMasks(h, sourceInfo, &format);

    std::unique_ptr<uint8_t[]> decoded;
    DecodedRuns runs;
    if (runLength) {
        const size_t pixels = size_t(h.width) * rows;
        decoded.reset(new (std::nothrow) uint8_t[2 * pixels]());
        if (!decoded) return DibConversion::OutOfMemory;
        runs = {decoded.get(), decoded.get() + pixels};
        DecodeRuns(h, bits, h.sizeImage, runs);
        bits = runs.index;
    }

    for (uint32_t y = 0; y < rows; ++y) {
        uint8_t* out = target + y * targetRow;
        std::memset(out, 0, targetRow);
        ConvertRow(format, bits + y * sourceRow, h.width, out);
        if (!runLength) continue;
        for (int32_t x = 0; x < h.width; ++x)
            if (!runs.painted[size_t(y) * h.width + x]) std::memset(out + 3 * x, 0, 3);
    }
    return DibConversion::Converted;
}
