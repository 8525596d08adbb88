#include "platform/sdl/sdl_internal.h"

#include <cstdio>

int PlatformMessageBox(WindowHandle owner, const char* text, const char* caption, unsigned style)
{
    // Also on standard error: a program started from a terminal, or on a machine without a
    // display, still tells why it stopped.
    std::fprintf(stderr, "dot3bump: %s: %s\n", caption, text);
    const Uint32 flags = (style & MB_ICONERROR) ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, caption, text, owner ? owner->sdl : nullptr) != 0)
        std::fprintf(stderr, "dot3bump: (no message box: %s)\n", SDL_GetError());
    return 1;  // IDOK: the only button
}
