// The bitmap font as the program draws with it: 96 lists from character 32, called through a
// list base of listBase - 32, drawn at a raster position in a real context.
#include "platform/platform.h"
#include "tests/gl/gl_context_fixture.h"
#include "tests/unique_temp_path.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr int kFirst = 32;
constexpr int kCount = 96;
constexpr int kX = 100;  // raster position of every drawing, in window coordinates
constexpr int kY = 300;

struct Drawing {
    int lit = 0;
    bool allWhite = true;
    int minX = GlContextEnvironment::kWidth, maxX = -1;
    int minY = GlContextEnvironment::kHeight, maxY = -1;
    float advanceX = 0;
    float advanceY = 0;
    std::vector<uint8_t> pixels;  // RGBA, bottom row first

    int LitInRow(int y) const
    {
        int lit = 0;
        for (int x = 0; x < GlContextEnvironment::kWidth; ++x)
            lit += pixels[(size_t(y) * GlContextEnvironment::kWidth + x) * 4] != 0;
        return lit;
    }
};

GLuint BuildFont(int height, const char* faceName)
{
    const GLuint base = glGenLists(kCount);
    PlatformBuildFontBitmaps(nullptr, height, faceName, kFirst, kCount, base);
    return base;
}

class FontTest : public GlTest {
protected:
    static void SetUpTestSuite()
    {
        if (GlContextEnvironment::Failure().empty()) base_ = BuildFont(-15, "Agency FB");
    }

    void SetUp() override
    {
        GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glOrtho(0, GlContextEnvironment::kWidth, 0, GlContextEnvironment::kHeight, -1, 1);
        glMatrixMode(GL_MODELVIEW);
    }

    // Draws `text` white at (kX, kY) on black, as the program's text operation does, and
    // reports what it lit and how far it moved the raster position.
    static Drawing Draw(const char* text, GLuint base = base_)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRasterPos2i(kX, kY);
        glPushAttrib(GL_LIST_BIT);
        glListBase(base - kFirst);
        glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
        glPopAttrib();

        Drawing drawing;
        GLfloat raster[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        drawing.advanceX = raster[0] - kX;
        drawing.advanceY = raster[1] - kY;
        drawing.pixels = ReadFramebuffer();
        const std::vector<uint8_t>& pixels = drawing.pixels;
        for (int y = 0; y < GlContextEnvironment::kHeight; ++y) {
            for (int x = 0; x < GlContextEnvironment::kWidth; ++x) {
                const uint8_t* p = &pixels[(size_t(y) * GlContextEnvironment::kWidth + x) * 4];
                if (!p[0] && !p[1] && !p[2]) continue;
                ++drawing.lit;
                drawing.allWhite = drawing.allWhite && p[0] == 255 && p[1] == 255 && p[2] == 255;
                drawing.minX = std::min(drawing.minX, x);
                drawing.maxX = std::max(drawing.maxX, x);
                drawing.minY = std::min(drawing.minY, y);
                drawing.maxY = std::max(drawing.maxY, y);
            }
        }
        return drawing;
    }

    static inline GLuint base_ = 0;
};

TEST_F(FontTest, BuildsExactlyTheRequestedLists)
{
    ASSERT_NE(base_, 0u);
    for (int i = 0; i < kCount; ++i) EXPECT_TRUE(glIsList(base_ + i)) << "character " << kFirst + i;
    EXPECT_FALSE(glIsList(base_ + kCount));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(FontTest, LoadingTextIsWhiteAndStartsAtTheRasterPosition)
{
    const Drawing text = Draw("Loading...");
    EXPECT_TRUE(text.allWhite) << "the 1-bit glyphs take exactly the raster colour";
    EXPECT_GT(text.lit, 60);
    // Ten characters of a 15-pixel font: a line some 40 to 150 pixels long from the raster
    // position, within an em above the baseline and a descender below it.
    EXPECT_GE(text.minX, kX);
    EXPECT_LE(text.minX, kX + 4);
    EXPECT_GT(text.maxX, kX + 40);
    EXPECT_LT(text.maxX, kX + 150);
    EXPECT_LT(text.minY, kY) << "the descender of 'g' reaches below the baseline";
    EXPECT_GE(text.minY, kY - 6);
    EXPECT_GT(text.maxY, kY + 7);
    EXPECT_LE(text.maxY, kY + 15);
    EXPECT_NEAR(text.advanceX, text.maxX - kX, 8) << "the raster position ends after the text";
    EXPECT_EQ(text.advanceY, 0);
}

TEST_F(FontTest, GlyphsSitOnTheBaseline)
{
    for (const char* flatBottomed : {"L", "H", "x"}) {
        const Drawing glyph = Draw(flatBottomed);
        EXPECT_EQ(glyph.minY, kY) << flatBottomed;
        EXPECT_GE(glyph.minX, kX) << flatBottomed;
    }
    EXPECT_LT(Draw("p").minY, kY);
    const Drawing l = Draw("L");
    EXPECT_GT(l.LitInRow(l.minY), l.LitInRow(l.maxY)) << "the foot of the L is at the bottom";
}

TEST_F(FontTest, SpaceDrawsNothingButAdvances)
{
    const Drawing space = Draw(" ");
    EXPECT_EQ(space.lit, 0);
    EXPECT_GT(space.advanceX, 0);
    EXPECT_EQ(space.advanceY, 0);
}

TEST_F(FontTest, WideGlyphsAreWiderThanNarrowOnes)
{
    const Drawing w = Draw("W");
    const Drawing i = Draw("i");
    EXPECT_GT(w.maxX - w.minX, 2 * (i.maxX - i.minX));
    EXPECT_GT(w.advanceX, i.advanceX);
}

// wglUseFontBitmaps advances by whole pixels, also for a character the face may lack (127).
TEST_F(FontTest, EveryCharacterAdvancesByWholePixels)
{
    for (int c = kFirst; c < kFirst + kCount; ++c) {
        const char text[] = {char(c), '\0'};
        const Drawing glyph = Draw(text);
        EXPECT_GT(glyph.advanceX, 0) << "character " << c;
        EXPECT_EQ(glyph.advanceX, float(int(glyph.advanceX))) << "character " << c;
        EXPECT_EQ(glyph.advanceY, 0) << "character " << c;
    }
}

// A negative height is the em height; a positive one the whole cell, leading included.
TEST_F(FontTest, HeightFollowsCreateFontSemantics)
{
    const int capAt15 = Draw("H").maxY - kY + 1;
    EXPECT_GE(capAt15, 8);
    EXPECT_LE(capAt15, 13);

    const Drawing em30 = Draw("H", BuildFont(-30, "Agency FB"));
    const int capAt30 = em30.maxY - kY + 1;
    EXPECT_NEAR(capAt30, 2 * capAt15, 2);

    const Drawing cell30 = Draw("H", BuildFont(30, "Agency FB"));
    EXPECT_LT(cell30.maxY - kY + 1, capAt30);
    EXPECT_GT(cell30.maxY - kY + 1, capAt15);
}

// The glyph bits are taken when the lists are compiled; whatever unpack state the caller has
// set must neither garble them nor be lost.
TEST_F(FontTest, IgnoresAndKeepsTheCallersUnpackState)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
    const GLuint base = BuildFont(-15, "Agency FB");
    GLint alignment = 0, lsbFirst = 0, rowLength = 0, skipRows = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glGetIntegerv(GL_UNPACK_SKIP_ROWS, &skipRows);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    EXPECT_EQ(alignment, 8);
    EXPECT_EQ(lsbFirst, GL_TRUE);
    EXPECT_EQ(rowLength, 3);
    EXPECT_EQ(skipRows, 2);

    EXPECT_TRUE(Draw("Loading...", base).pixels == Draw("Loading...").pixels);
}

// An unknown face falls back to whatever the system substitutes; text is still drawn.
TEST_F(FontTest, UnknownFaceFallsBackToASubstitute)
{
    const Drawing text = Draw("Loading...", BuildFont(-15, "No Such Face: -12"));
    EXPECT_GT(text.lit, 60);
    EXPECT_GT(text.advanceX, 40);
}

// The font file fontconfig gives for `faceName`.
std::string MatchedFontFile(const char* faceName)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(faceName));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* font = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    std::string path;
    if (font && FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (font) FcPatternDestroy(font);
    FcPatternDestroy(pattern);
    return path;
}

// A TrueType face may leave out its OS/2 table: the cell height then comes from the face's own
// ascender and descender. Made from the substitute's file with the table's entry taken out of
// its table directory, the one font of a fontconfig configuration of the test's own.
TEST_F(FontTest, AFaceWithoutAnOs2TableStillHonoursACellHeight)
{
    const std::string source = MatchedFontFile("DejaVu Sans");
    std::ifstream in(source, std::ios::binary);
    std::vector<uint8_t> font{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(font.size(), 12u) << source;
    // The directory: a 12-byte header with the table count at 4, then 16 bytes per table, the
    // tag first. The entries after OS/2's move up; the tables stay where they are.
    const size_t tables = size_t(font[4] << 8 | font[5]);
    const size_t end = 12 + 16 * tables;
    ASSERT_GE(font.size(), end) << source;
    size_t entry = 12;
    while (entry < end && std::memcmp(&font[entry], "OS/2", 4) != 0) entry += 16;
    ASSERT_LT(entry, end) << "no OS/2 table in " << source;
    std::copy(font.begin() + std::ptrdiff_t(entry + 16), font.begin() + std::ptrdiff_t(end),
              font.begin() + std::ptrdiff_t(entry));
    std::fill(font.begin() + std::ptrdiff_t(end - 16), font.begin() + std::ptrdiff_t(end), 0);
    font[4] = uint8_t((tables - 1) >> 8);
    font[5] = uint8_t(tables - 1);
    const std::filesystem::path folder = UniqueTempPath("dot3bump_no_os2");
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "no_os2.ttf", std::ios::binary)
        .write(reinterpret_cast<const char*>(font.data()), std::streamsize(font.size()));
    FcConfig* const saved = FcConfigReference(nullptr);
    FcConfig* const own = FcConfigCreate();
    FcConfigAppFontAddDir(own, reinterpret_cast<const FcChar8*>(folder.c_str()));
    FcConfigSetCurrent(own);
    const Drawing text = Draw("Loading...", BuildFont(30, "DejaVu Sans"));
    FcConfigSetCurrent(saved);
    FcConfigDestroy(saved);  // the reference taken above
    FcConfigDestroy(own);
    std::filesystem::remove_all(folder);
    EXPECT_GT(text.lit, 60);
    EXPECT_GT(text.advanceX, 40);
}

}  // namespace
