// Message boxes: MessageBoxA.
#include "platform/win32/win32_platform.h"

int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style)
{
    return MessageBoxA(ToWin32(owner), text, caption, style);
}
