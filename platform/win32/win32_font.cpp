// Bitmap font through GDI: the font lives only as long as its glyphs are being compiled.
#include "platform/win32/win32_platform.h"

namespace {

// NOTE: measured with Wine 8.0 on Mesa 22.3 (llvmpipe): wglUseFontBitmaps compiles a glyph
// without pixels, such as the space, as glBitmap(0, 0, 0, 0, advance, 0, NULL), and Mesa refuses
// that call inside a display list (GL_OUT_OF_MEMORY in glNewList -> glBitmap, still pending when
// wglUseFontBitmaps has returned TRUE). The space's list stays empty and the overlay reads
// "VBOsupported". The same call with a pointer, or outside a list, advances.
// HACK: wglUseFontBitmaps gets only the runs of glyphs that have pixels; the empty glyphs are
// compiled here as it would compile them, with the advance GDI reports, but with a pointer.
bool GlyphHasNoPixels(HDC hdc, UINT character, GLYPHMETRICS* metrics)
{
    static const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    return GetGlyphOutlineA(hdc, character, GGO_BITMAP, metrics, 0, nullptr, &kIdentity) == 0;
}

void CompileEmptyGlyph(const GLYPHMETRICS& metrics, GLuint list)
{
    static const GLubyte kNoPixels = 0;
    glNewList(list, GL_COMPILE);
    glBitmap(0, 0, 0.0f, 0.0f, GLfloat(metrics.gmCellIncX), GLfloat(metrics.gmCellIncY),
             &kNoPixels);
    glEndList();
}

}  // namespace

void PlatformBuildFontBitmaps(DeviceContextHandle dc, int height, const char* faceName, int first,
                              int count, unsigned listBase)
{
    const HDC hdc = ToWin32(dc);
    const HFONT font =
        CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    const HGDIOBJ previous = SelectObject(hdc, font);
    // One step past the last character, to hand over the last run. A glyph GDI cannot outline
    // (GDI_ERROR) stays in its run: wglUseFontBitmaps treats it as it always did.
    int runStart = 0;
    for (int i = 0; i <= count; ++i) {
        GLYPHMETRICS metrics{};
        const bool empty = i < count && GlyphHasNoPixels(hdc, UINT(first + i), &metrics);
        if (i < count && !empty) continue;
        if (i > runStart)
            wglUseFontBitmapsA(hdc, DWORD(first + runStart), DWORD(i - runStart),
                               listBase + unsigned(runStart));
        if (empty) CompileEmptyGlyph(metrics, listBase + unsigned(i));
        runStart = i + 1;
    }
    SelectObject(hdc, previous);
    DeleteObject(font);
}
