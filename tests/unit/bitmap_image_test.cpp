#include "gfx/bitmap_load.h"
#include "tests/bytes.h"
#include "tests/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ImageDeleter {
    void operator()(RgbImage* image) const
    {
        std::free(image->pixels);
        delete image;
    }
};
using Image = std::unique_ptr<RgbImage, ImageDeleter>;

const std::string kSuite = std::string(DOT3BUMP_TESTDATA_DIR) + "/bmpsuite/";
const std::string kRleEdges = std::string(DOT3BUMP_TESTDATA_DIR) + "/rle-edges/";

// A bitmap file with an info header; `table` holds the colour entries or masks as stored.
Bytes Bitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
             uint32_t colorsUsed, const Bytes& table, const Bytes& pixels, bool fileHeader = true)
{
    const Bytes header =
        fileHeader ? Cat({U16('B' | 'M' << 8), U32(0), U32(0), U32(uint32_t(54 + table.size()))})
                   : Bytes();
    const uint32_t runBytes = compression == 1 || compression == 2 ? uint32_t(pixels.size()) : 0;
    return Cat({header, U32(40), U32(uint32_t(width)), U32(uint32_t(height)), U16(1), U16(bitCount),
                U32(compression), U32(runBytes), U32(0), U32(0), U32(colorsUsed), U32(0), table,
                pixels});
}

// One pixel of an uncompressed info-header file with a file header, read straight from its
// bytes; y counts from the bottom. Fields of 5, 6 and 8 bits widen by repeating their top bits.
Bytes ReferencePixel(const Bytes& f, int x, int y)
{
    const int32_t width = int32_t(U32At(f, 18)), height = int32_t(U32At(f, 22));
    const unsigned bits = f[28], compression = U32At(f, 30), colors = U32At(f, 46);
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    const size_t row = U32At(f, 10) + stride * (height > 0 ? y : -height - 1 - y);
    if (bits <= 8) {
        const size_t bit = size_t(x) * bits;
        const unsigned index = f[row + bit / 8] >> (8 - bits - bit % 8) & ((1u << bits) - 1);
        if (index >= (colors ? colors : 1u << bits)) return {0, 0, 0};
        return {f[54 + 4 * index + 2], f[54 + 4 * index + 1], f[54 + 4 * index]};
    }
    if (bits == 24) return {f[row + 3 * x + 2], f[row + 3 * x + 1], f[row + 3 * x]};
    const uint32_t value = bits == 16 ? ReadU16(&f[row + 2 * x]) : U32At(f, row + 4 * x);
    Bytes rgb;
    for (int c = 0; c < 3; ++c) {
        uint32_t mask = compression == 3 ? U32At(f, 54 + 4 * c)
                                         : (bits == 16 ? 0x7C00u >> 5 * c : 0xFF0000u >> 8 * c);
        uint32_t field = value & mask;
        while (!(mask & 1)) mask >>= 1, field >>= 1;
        const int length = mask == 0xFF ? 8 : mask == 0x3F ? 6 : 5;
        rgb.push_back(uint8_t(field << (8 - length) | field >> (2 * length - 8)));
    }
    return rgb;
}

class BitmapImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakePlatform();
        showImageErrors = true;
    }

    static Image Decode(const Bytes& file, const char** message = nullptr)
    {
        const char* ignored;
        return Image(DecodeBitmapImage(file.data(), file.size(), message ? message : &ignored));
    }

    static Bytes Pixels(const Image& image)
    {
        return Bytes(image->pixels, image->pixels + size_t(image->width) * image->height * 3);
    }
};

TEST_F(BitmapImageTest, GoodSuiteFilesDecodeAndMatchTheirPixelsReadStraightFromTheFile)
{
    for (const auto& entry : std::filesystem::directory_iterator(kSuite + "g")) {
        SCOPED_TRACE(entry.path().string());
        ResetFakePlatform();
        const Bytes file = ReadAll(entry.path().string());
        const Image image(LoadBitmapImage(entry.path().string().c_str()));
        const uint32_t headerSize = U32At(file, 14), compression = U32At(file, 30);
        if (headerSize != 12 && headerSize != 40) {  // pal8v4, pal8v5
            EXPECT_FALSE(image);
            ASSERT_EQ(fakePlatform.messageBoxes.size(), 1u);
            EXPECT_EQ(fakePlatform.messageBoxes[0].text, "Unknown DIB file format.");
            continue;
        }
        ASSERT_TRUE(image);
        EXPECT_TRUE(fakePlatform.messageBoxes.empty());
        if (headerSize == 12 || compression == 1 || compression == 2) continue;  // see below
        ASSERT_EQ(image->width, int32_t(U32At(file, 18)));
        ASSERT_EQ(image->height, std::abs(int32_t(U32At(file, 22))));
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const uint8_t* p = image->pixels + 3 * (size_t(y) * image->width + x);
                ASSERT_EQ(Bytes(p, p + 3), ReferencePixel(file, x, y)) << x << "," << y;
            }
    }
}

// The suite draws the same picture in these files: run-length, core-header and top-down forms
// must come out as their plain siblings do.
TEST_F(BitmapImageTest, RunLengthCoreAndTopDownFilesEqualTheirPlainSiblings)
{
    const std::pair<const char*, const char*> pairs[] = {{"g/pal8rle", "g/pal8"},
                                                         {"g/pal4rle", "g/pal4"},
                                                         {"g/pal8os2", "g/pal8"},
                                                         {"g/pal8topdown", "g/pal8"},
                                                         {"q/pal8os2sp", "g/pal8"}};
    for (const auto& [file, sibling] : pairs) {
        SCOPED_TRACE(file);
        const Image a(LoadBitmapImage((kSuite + file + ".bmp").c_str()));
        const Image b(LoadBitmapImage((kSuite + sibling + ".bmp").c_str()));
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->height, b->height);
        EXPECT_EQ(Pixels(a), Pixels(b));
    }
}

TEST_F(BitmapImageTest, BadAndQuestionableFilesDecodeOrShowExactlyOneOfTheMessages)
{
    const std::vector<std::string> messages = {"Unknown DIB file format.", "Out of memory.",
                                               "Image file conversion error."};
    const std::pair<const char*, const char*> expected[] = {
        {"b/badheadersize", "Unknown DIB file format."},
        {"b/shortfile", "Image file conversion error."},       // pixel rows past the end
        {"b/badpalettesize", "Image file conversion error."},  // colour table past the end
        {"b/badwidth", "Image file conversion error."},        // negative width
        {"b/rletopdown", "Image file conversion error."},      // GDI decodes runs bottom-up only
        {"b/rgb16-880", "Image file conversion error."},       // a zero colour mask
        {"b/reallybig", "Out of memory."}};                    // 3000000 x 2000000
    for (const auto& [name, text] : expected) {
        ResetFakePlatform();
        EXPECT_FALSE(LoadBitmapImage((kSuite + name + ".bmp").c_str())) << name;
        ASSERT_EQ(fakePlatform.messageBoxes.size(), 1u) << name;
        EXPECT_EQ(fakePlatform.messageBoxes[0].text, text) << name;
    }
    for (const char* folder : {"b", "q"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kSuite + folder)) {
            ResetFakePlatform();
            const Image image(LoadBitmapImage(entry.path().string().c_str()));
            const auto& boxes = fakePlatform.messageBoxes;
            ASSERT_EQ(boxes.size(), image ? 0u : 1u) << entry.path();
            if (!image) {
                EXPECT_NE(std::count(messages.begin(), messages.end(), boxes[0].text), 0);
            }
        }
    }
}

TEST_F(BitmapImageTest, PaddingIsDroppedRedAndBlueSwappedRowsKeptBottomUpOrFlipped)
{
    const Bytes rows = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
    const Bytes expected = {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10};
    Image image = Decode(Bitmap(2, 2, 24, 0, 0, {}, rows));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(image), expected);

    image = Decode(Bitmap(2, -2, 24, 0, 0, {}, rows));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(Pixels(image), (Bytes{9, 8, 7, 12, 11, 10, 3, 2, 1, 6, 5, 4}));
}

TEST_F(BitmapImageTest, WithoutAFileHeaderThePixelsFollowTheTableOrTheMasks)
{
    // Core header: three-byte entries. Indices 0 and 1 of a 1-bit row.
    Bytes core = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0, 10, 20, 30, 40, 50, 60, 0x40, 0, 0, 0};
    Image image = Decode(core);
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(image), (Bytes{30, 20, 10, 60, 50, 40}));

    // Colours used 2 of 256: index 2 lies past the table and comes out black.
    image = Decode(Bitmap(3, 1, 8, 0, 2, {1, 2, 3, 0, 4, 5, 6, 0}, {1, 0, 2, 0}, false));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(image), (Bytes{6, 5, 4, 3, 2, 1, 0, 0, 0}));

    // A 24-bit file skips its colours-used entries; a bit-field file carries its masks (5-6-5).
    image = Decode(Bitmap(1, 1, 24, 0, 1, {9, 9, 9, 0}, {1, 2, 3, 0}, false));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(image), (Bytes{3, 2, 1}));
    const Bytes masks = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    image = Decode(Bitmap(1, 1, 16, 3, 0, masks, {0x1F, 0xF8, 0, 0}, false));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(image), (Bytes{0xFF, 0x00, 0xFF}));
}

TEST_F(BitmapImageTest, NarrowAndWideBitFieldsWidenAsGdiDoes)
{
    // 1-bit red, 2-bit green, 10-bit blue, all bits set.
    const Bytes masks = {0x00, 0x20, 0, 0, 0x00, 0x18, 0, 0, 0xFF, 0x03, 0, 0};
    const Image image = Decode(Bitmap(1, 1, 16, 3, 0, masks, {0xFF, 0x3B, 0, 0}));
    ASSERT_TRUE(image);
    EXPECT_EQ(Pixels(image), (Bytes{0xC0, 0xF0, 0xFF}));
}

TEST_F(BitmapImageTest, RunLengthEscapesPaintOnlyWhatTheDataCovers)
{
    const Bytes table = {0, 0, 10, 0, 0, 0, 20, 0, 0, 0, 30, 0};  // reds 10, 20, 30
    auto reds = [](const Image& image) {
        Bytes out;
        for (int i = 0; i < image->width * image->height; ++i) out.push_back(image->pixels[3 * i]);
        return out;
    };
    // Row 0: a run of 1, a delta right 1 and up 1. Row 1: an odd absolute run clipped at the
    // width, then its pad byte and end of line. Row 2: a run clipped at the width. Row 3: a run
    // left open when the data ends, which GDI does not paint.
    const Bytes rle8 = {1, 1, 0, 2, 1, 1, 0, 3, 2, 1, 2, 0, 0, 0, 9, 2, 0, 0, 2, 1};
    Image image = Decode(Bitmap(4, 4, 8, 1, 3, table, rle8));
    ASSERT_TRUE(image);
    EXPECT_EQ(reds(image), (Bytes{20, 0, 0, 0, 0, 0, 30, 20, 30, 30, 30, 30, 0, 0, 0, 0}));

    // RLE4 nibbles alternate from the high one, wherever the run starts; end of bitmap closes.
    const Bytes rle4 = {1, 0x10, 3, 0x12, 0, 1};
    image = Decode(Bitmap(4, 1, 4, 2, 3, table, rle4));
    ASSERT_TRUE(image);
    EXPECT_EQ(reds(image), (Bytes{20, 20, 30, 20}));

    // An absolute run of 255 pixels takes 256 bytes; the escape codes among them are pixels.
    // (Wine's GDI skips none of them and reads them as escapes: row 1 would start with red 30.)
    Bytes wide = {0, 255, 0, 0, 1, 2};
    wide.resize(2 + 256, 0);
    wide.insert(wide.end(), {0, 1});
    image = Decode(Bitmap(255, 2, 8, 1, 3, table, wide));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels[3 * 3], 30);
    EXPECT_EQ(image->pixels[3 * 255], 0);
}

// The files of rle-edges, which the GDI oracle decodes too: pictures 4 pixels wide in reds 10, 20
// and 30, bottom row first, 0 where the data paints nothing. In memory an end of line follows each
// file, which would paint the open span of a decoder that read past the image size or the file.
TEST_F(BitmapImageTest, RunLengthDataEndsAtTheRowTheImageSizeAndTheFile)
{
    const std::pair<const char*, Bytes> expected[] = {
        {"rle8-runs-to-row-end", {20, 20, 20, 20, 30, 30, 30, 30}},
        {"rle8-runs-past-row-end", {20, 20, 20, 20, 0, 0, 30, 20, 0, 0, 30, 0}},
        {"rle4-runs-to-row-end", {20, 30, 20, 30, 30, 20, 30, 20}},
        {"rle4-runs-past-row-end", {20, 30, 20, 30, 0, 0, 30, 20, 0, 0, 30, 0}},
        {"rle8-end-of-bitmap-ends-data", {20, 0, 0, 0, 30, 30, 0, 0}},
        {"rle8-run-ends-data", {20, 0, 0, 0, 0, 0, 0, 0}},
        {"rle8-lone-byte-ends-data", {20, 0, 0, 0, 0, 0, 0, 0}},
        {"rle8-image-size-before-data-end", {20, 0, 0, 0, 0, 0, 0, 0}},
        {"rle8-image-size-past-file-end", {20, 0, 0, 0, 0, 0, 0, 0}}};
    for (const auto& [name, reds] : expected) {
        SCOPED_TRACE(name);
        Bytes file = ReadAll(kRleEdges + name + ".bmp");
        ASSERT_FALSE(file.empty());
        const size_t size = file.size();
        file.insert(file.end(), {0, 0});
        const char* message = nullptr;
        const Image image(DecodeBitmapImage(file.data(), size, &message));
        ASSERT_TRUE(image) << message;
        Bytes actual;
        for (int i = 0; i < image->width * image->height; ++i)
            actual.push_back(image->pixels[3 * i]);
        EXPECT_EQ(actual, reds);
    }
}

// A side of 0 pixels makes no picture: the loader refuses the file, and the conversion, as
// CreateDIBSection does, finds no target to make.
TEST_F(BitmapImageTest, ASideOfZeroPixelsIsRefused)
{
    for (const auto& [width, height] : {std::pair{0, 2}, std::pair{2, 0}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const Bytes file = Bitmap(width, height, 24, 0, 0, {}, Bytes(16, 7));
        const char* message = nullptr;
        EXPECT_FALSE(Decode(file, &message));
        EXPECT_STREQ(message, "Image file conversion error.");
        uint8_t target[16];
        EXPECT_EQ(PlatformConvertDibTo24(&file[14], &file[54], 16, target),
                  DibConversion::OutOfMemory)
            << "0: converted, 1: out of memory, 2: conversion error";
    }
}

TEST_F(BitmapImageTest, EveryTruncationOfAFileIsRefusedWithTheFittingMessage)
{
    const Bytes whole = Bitmap(3, 2, 24, 0, 0, {}, Bytes(24, 7));
    for (size_t size = 0; size < whole.size(); ++size) {
        const Bytes part(whole.begin(), whole.begin() + size);
        const char* message = nullptr;
        EXPECT_FALSE(Decode(part, &message)) << size;
        EXPECT_STREQ(message,
                     size < 54 ? "Unknown DIB file format." : "Image file conversion error.")
            << size;
    }
    EXPECT_TRUE(Decode(whole));
}

TEST_F(BitmapImageTest, OpenFailuresNameTheFileCutToFitTheMessage)
{
    EXPECT_FALSE(LoadBitmapImage("no-such-file.bmp"));
    const std::string empty = testing::TempDir() + "empty.bmp";
    std::ofstream(empty).close();
    EXPECT_FALSE(LoadBitmapImage(empty.c_str()));
    const std::string longName(400, 'n');
    EXPECT_FALSE(LoadBitmapImage(longName.c_str()));
    showImageErrors = false;
    EXPECT_FALSE(LoadBitmapImage("no-such-file.bmp"));

    const auto& boxes = fakePlatform.messageBoxes;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Failed to open DIB file no-such-file.bmp.\n");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].style, MB_OK);
    EXPECT_EQ(boxes[0].owner, PlatformGetFocus());
    EXPECT_EQ(boxes[1].text, "Failed to open DIB file " + empty + ".\n");
    EXPECT_EQ(boxes[2].text, "Failed to open DIB file " + std::string(229, 'n') + ".\n");
}

}  // namespace
