// Bitmap font without GDI: fontconfig picks the face the way GDI's font mapper would pick a
// substitute, FreeType rasterises it, and each glyph becomes one glBitmap display list laid out
// as wglUseFontBitmaps lays it out (1-bit bitmap, origin on the baseline, whole-pixel advance).
#include "platform/platform.h"

#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

// fontconfig's best matches for the face, best first, keeping only scalable ones: the program
// asks for TrueType precision, and a fixed-size bitmap font could not honour every height.
std::vector<FontFile> MatchScalableFonts(const char* faceName)
{
    std::vector<FontFile> fonts;
    if (!FcInit()) return fonts;
    // Built field by field rather than parsed, so a face name with '-' or ':' stays a name.
    std::unique_ptr<FcPattern, void (*)(FcPattern*)> pattern(FcPatternCreate(), FcPatternDestroy);
    if (!pattern) return fonts;
    if (faceName && *faceName)
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName));
    // NOTE: the program's face, Agency FB, is a condensed one and is rarely installed outside
    // Windows; preferring condensed substitutes keeps its lines within the width they were laid
    // out for. A face that is installed wins over this preference.
    FcPatternAddInteger(pattern.get(), FC_WIDTH, FC_WIDTH_CONDENSED);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    std::unique_ptr<FcFontSet, void (*)(FcFontSet*)> sorted(
        FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result), FcFontSetDestroy);
    if (!sorted) return fonts;
    for (int i = 0; i < sorted->nfont; ++i) {
        FcBool scalable = FcFalse;
        FcChar8* path = nullptr;
        int index = 0;
        const FcPattern* font = sorted->fonts[i];
        if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable)
            continue;
        if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch) continue;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        fonts.push_back({reinterpret_cast<const char*>(path), index});
    }
    return fonts;
}

// CreateFontA's height: negative asks for that character (em) height in pixels, which is what
// FreeType's pixel size means; positive asks for the cell height, ascent plus descent, which
// GDI takes from the OS/2 "win" metrics of a TrueType face.
bool SetGdiHeight(FT_Face face, int height)
{
    // GDI lets its mapper pick a size for 0; an ordinary 16-pixel cell stands in for that.
    constexpr unsigned kDefaultCellHeight = 16;
    if (height < 0) return FT_Set_Pixel_Sizes(face, 0, 0u - static_cast<unsigned>(height)) == 0;
    const unsigned cell = height > 0 ? static_cast<unsigned>(height) : kDefaultCellHeight;
    long cellUnits = face->ascender - face->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0)
        cellUnits = long(os2->usWinAscent) + long(os2->usWinDescent);
    if (cellUnits <= 0) cellUnits = face->units_per_EM;
    const unsigned long em = (cell * static_cast<unsigned long>(face->units_per_EM) +
                              static_cast<unsigned long>(cellUnits) / 2) /
                             static_cast<unsigned long>(cellUnits);
    return FT_Set_Pixel_Sizes(face, 0, em > 0 ? FT_UInt(em) : 1u) == 0;
}

// glBitmap's layout: one bit per pixel, most significant bit first, rows whole bytes long,
// bottom row first. Grey glyphs (embedded grey strikes) are thresholded at half coverage.
std::vector<GLubyte> BottomUpBits(const FT_Bitmap& bitmap)
{
    const unsigned width = bitmap.width;
    const unsigned rows = bitmap.rows;
    const size_t stride = (width + 7) / 8;
    std::vector<GLubyte> bits(stride * rows);
    if (bits.empty()) return bits;
    // A negative pitch means the rows are stored bottom-up; start from the top row either way.
    const unsigned char* top = bitmap.buffer;
    if (bitmap.pitch < 0) top += std::ptrdiff_t(-bitmap.pitch) * (rows - 1);
    for (unsigned r = 0; r < rows; ++r) {
        const unsigned char* source = top + std::ptrdiff_t(bitmap.pitch) * r;
        GLubyte* target = &bits[stride * (rows - 1 - r)];
        for (unsigned x = 0; x < width; ++x) {
            const bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                ? (source[x / 8] & (0x80 >> (x % 8))) != 0
                                : bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && source[x] >= 128;
            if (on) target[x / 8] |= GLubyte(0x80 >> (x % 8));
        }
    }
    return bits;
}

// One list per character. A character the face lacks gets the face's missing-glyph box, as
// GDI draws its default character; a glyph that cannot be rendered still gets its (empty) list.
void CompileGlyph(FT_Face face, unsigned long code, GLuint list)
{
    glNewList(list, GL_COMPILE);
    if (face &&
        FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO) == 0) {
        const FT_GlyphSlot slot = face->glyph;
        const std::vector<GLubyte> bits = BottomUpBits(slot->bitmap);
        const GLsizei width = bits.empty() ? 0 : GLsizei(slot->bitmap.width);
        const GLsizei height = bits.empty() ? 0 : GLsizei(slot->bitmap.rows);
        // The origin puts the glyph's baseline on the raster position; GDI advances by whole
        // pixels, and hinting has already rounded the advance.
        glBitmap(width, height, GLfloat(-slot->bitmap_left), GLfloat(height - slot->bitmap_top),
                 GLfloat((slot->advance.x + 32) >> 6), 0.0f, bits.empty() ? nullptr : bits.data());
    }
    glEndList();
}

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

FacePtr OpenFace(FT_Library library, const char* faceName, int height)
{
    if (!library) return nullptr;
    for (const FontFile& font : MatchScalableFonts(faceName)) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, font.path.c_str(), font.index, &face) != 0) continue;
        FacePtr owned(face);
        if (FT_IS_SCALABLE(face) && SetGdiHeight(face, height)) return owned;
    }
    return nullptr;
}

}  // namespace

void PlatformBuildFontBitmaps(DeviceContextHandle, int height, const char* faceName, int first,
                              int count, unsigned listBase)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
    {
        // Without a usable font the lists are still made, empty, so that calling them is safe.
        const FacePtr face = OpenFace(library, faceName, height);

        // glBitmap takes its pixels when the list is compiled, through the unpack state of that
        // moment; the caller's unpack state is put back afterwards.
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
        glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        // Codes are taken as Unicode, which agrees with the ANSI code page on 32 to 126.
        for (int i = 0; i < count; ++i) {
            const long long code = static_cast<long long>(first) + i;
            CompileGlyph(face.get(), static_cast<unsigned long>(code), listBase + GLuint(i));
        }
        glPopClientAttrib();
    }
    if (library) FT_Done_FreeType(library);
}
