// Bitmap font through GDI: the font lives only as long as wglUseFontBitmapsA needs it selected.
#include "platform/win32/win32_platform.h"

void PlatformBuildFontBitmaps(DeviceContextHandle dc, int height, const char* faceName, int first,
                              int count, unsigned listBase)
{
    const HDC hdc = ToWin32(dc);
    const HFONT font =
        CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, faceName);
    const HGDIOBJ previous = SelectObject(hdc, font);
    wglUseFontBitmapsA(hdc, static_cast<DWORD>(first), static_cast<DWORD>(count), listBase);
    SelectObject(hdc, previous);
    DeleteObject(font);
}
