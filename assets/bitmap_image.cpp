#include "assets/bitmap_image.h"

#include "platform/byte_order.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr char kUnknownFormat[] = "Unknown DIB file format.";
constexpr char kOutOfMemory[] = "Out of memory.";
constexpr char kConversionError[] = "Image file conversion error.";
constexpr char kOpenFailure[] = "Failed to open DIB file %.*s.\n";
// What a file name may take of the message: all but the fixed text (the format less its "%.*s")
// and the NUL.
constexpr int kNameRoom = int(kImageMessageSize - (sizeof kOpenFailure - 1 - 4) - 1);

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t BI_BITFIELDS = 3;

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};
using Buffer = std::unique_ptr<uint8_t, FreeDeleter>;

// A file's pixels as the conversion takes them.
struct Source {
    Buffer info;  // BITMAPINFO: 40-byte header, then the colour table or the three masks
    const uint8_t* bits = nullptr;
    size_t bitsSize = 0;  // from `bits` to the end of the file
    int32_t width = 0;    // more than 0
    int32_t height = 0;   // not 0; negative for a top-down file
    size_t rows = 0;      // |height|
};

// Fills source->info from a core or info header at data[header] and returns where the colour
// table (or the masks) end, or 0 when they lie past the end of the file.
size_t DescribeHeader(const uint8_t* data, size_t size, size_t header, uint16_t colors,
                      uint8_t* info)
{
    const uint8_t* in = data + header;
    if (ReadU32(in) == kCoreHeaderSize) {
        const size_t tableEnd = header + kCoreHeaderSize + 3 * size_t(colors);
        if (tableEnd > size) return 0;
        WriteU32(info, kInfoHeaderSize);
        WriteU32(info + 4, ReadU16(in + 4));
        WriteU32(info + 8, ReadU16(in + 6));
        WriteU16(info + 12, ReadU16(in + 8));
        WriteU16(info + 14, ReadU16(in + 10));
        WriteU32(info + 36, colors);
        // RGBTRIPLE entries become RGBQUADs: the same blue, green, red, a reserved 0.
        for (size_t i = 0; i < colors; ++i)
            std::memcpy(info + kInfoHeaderSize + 4 * i, in + kCoreHeaderSize + 3 * i, 3);
        return tableEnd;
    }
    std::memcpy(info, in, kInfoHeaderSize);
    // The masks of a bit-field bitmap sit where the colour table would; its colour table, if
    // any, follows them and means nothing to the conversion.
    const bool masks = ReadU32(in + 16) == BI_BITFIELDS;
    const size_t copied = masks ? 12 : 4 * size_t(colors);
    const size_t tableEnd = header + kInfoHeaderSize + copied + (masks ? 4 * size_t(colors) : 0);
    if (header + kInfoHeaderSize + copied > size) return 0;
    std::memcpy(info + kInfoHeaderSize, in + kInfoHeaderSize, copied);
    return tableEnd;
}

const char* LocateSource(const uint8_t* data, size_t size, Source* source)
{
    size_t header = 0;
    bool offsetGiven = false;
    size_t pixelOffset = 0;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < kFileHeaderSize) return kUnknownFormat;
        header = kFileHeaderSize;
        offsetGiven = true;
        pixelOffset = ReadU32(data + 10);
    }
    if (size - header < 4) return kUnknownFormat;
    const uint32_t headerSize = ReadU32(data + header);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize) return kUnknownFormat;
    if (size - header < headerSize) return kUnknownFormat;

    const uint16_t colors = BitmapColorCount(data + header);
    // Room for whatever GDI may read past the header, whatever colours-used claims: up to 256
    // entries, or the masks and the table behind them. Slots the file does not fill stay 0.
    const size_t slots = 3 + (colors > 256 ? colors : 256);
    source->info.reset(static_cast<uint8_t*>(std::calloc(1, kInfoHeaderSize + 4 * slots)));
    if (!source->info) return kOutOfMemory;
    uint8_t* info = source->info.get();
    const size_t tableEnd = DescribeHeader(data, size, header, colors, info);
    if (tableEnd == 0) return kConversionError;
    if (!offsetGiven) pixelOffset = tableEnd;
    if (pixelOffset > size) return kConversionError;
    source->bits = data + pixelOffset;
    source->bitsSize = size - pixelOffset;

    source->width = int32_t(ReadU32(info + 4));
    source->height = int32_t(ReadU32(info + 8));
    if (source->width <= 0 || source->height == 0) return kConversionError;
    source->rows = source->height < 0 ? size_t(-int64_t(source->height)) : size_t(source->height);
    if (ReadU32(info + 20) == 0) {
        const uint64_t bytes =
            (uint64_t(ReadU16(info + 14)) * uint32_t(source->width) + 7) / 8 * source->rows;
        WriteU32(info + 20, bytes > UINT32_MAX ? UINT32_MAX : uint32_t(bytes));
    }
    // The entries the description carries, so GDI never looks past them: this also mends a
    // colours-used above 65535, of which the colour count keeps only the low 16 bits.
    WriteU32(info + 32, colors);
    return nullptr;
}

// The converted rows (blue, green, red, each padded to `stride` bytes, in the file's row order)
// as packed red, green, blue rows, bottom row first.
void ReorderRows(const Source& source, const uint8_t* converted, size_t stride, uint8_t* pixels)
{
    for (size_t y = 0; y < source.rows; ++y) {
        const uint8_t* in = converted + (source.height < 0 ? source.rows - 1 - y : y) * stride;
        for (int32_t x = 0; x < source.width; ++x, in += 3, pixels += 3) {
            pixels[0] = in[2];
            pixels[1] = in[1];
            pixels[2] = in[0];
        }
    }
}

const char* Decode(const uint8_t* data, size_t size, RgbImage** image)
{
    Source source;
    if (const char* failure = LocateSource(data, size, &source)) return failure;
    const size_t stride = (size_t(source.width) * 3 + 3) & ~size_t(3);
    // GDI keeps a section's size in 32 bits: a larger image could not be converted anyway.
    if (source.rows > UINT32_MAX / stride) return kOutOfMemory;
    Buffer converted(static_cast<uint8_t*>(std::malloc(source.rows * stride)));
    if (!converted) return kOutOfMemory;
    switch (
        PlatformConvertDibTo24(source.info.get(), source.bits, source.bitsSize, converted.get())) {
    case DibConversion::Converted: break;
    case DibConversion::OutOfMemory: return kOutOfMemory;
    case DibConversion::ConversionError: return kConversionError;
    }
    Buffer pixels(static_cast<uint8_t*>(std::malloc(source.rows * size_t(source.width) * 3)));
    if (!pixels) return kOutOfMemory;
    *image = new (std::nothrow) RgbImage;
    if (!*image) return kOutOfMemory;
    ReorderRows(source, converted.get(), stride, pixels.get());
    (*image)->width = source.width;
    (*image)->height = int32_t(source.rows);
    (*image)->pixels = pixels.release();
    return nullptr;
}

}  // namespace

uint16_t BitmapColorCount(const void* header)
{
    const uint8_t* bytes = static_cast<const uint8_t*>(header);
    uint16_t bitCount;
    if (ReadU32(bytes) == kCoreHeaderSize) {
        bitCount = ReadU16(bytes + 10);
    } else {
        const uint32_t colorsUsed = ReadU32(bytes + 32);
        if (colorsUsed) return uint16_t(colorsUsed);
        bitCount = ReadU16(bytes + 14);
    }
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

RgbImage* DecodeBitmapImage(const uint8_t* data, size_t size, const char** message)
{
    RgbImage* image = nullptr;
    const char* failure = Decode(data, size, &image);
    if (message) *message = failure;
    return image;
}

RgbImage* ReadBitmapImage(const char* fileName, char* message)
{
    message[0] = '\0';
    MappedFile file;
    if (PlatformMapFile(fileName, &file) != MapFileResult::Mapped) {
        std::snprintf(message, kImageMessageSize, kOpenFailure, kNameRoom, fileName);
        return nullptr;
    }
    const char* failure = nullptr;
    RgbImage* image = DecodeBitmapImage(file.data, file.size, &failure);
    PlatformUnmapFile(&file);
    if (failure) std::snprintf(message, kImageMessageSize, "%s", failure);
    return image;
}
