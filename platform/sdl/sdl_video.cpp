#include "platform/sdl/sdl_internal.h"

#include <cstdio>
#include <cstring>

bool StartSdlVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    // NOTE: SDL minimises a fullscreen window and restores the desktop mode on focus loss by
    // itself; the program does that on deactivation and keeps its window, as on Windows.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "dot3bump: no display: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

bool IsOffscreenDriver()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") == 0;
}
