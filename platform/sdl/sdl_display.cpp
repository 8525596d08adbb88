#include "platform/sdl/sdl_internal.h"

#include <cstdio>
#include <string>

namespace {

bool fullscreenActive = false;
SDL_DisplayMode fullscreenMode;

// Windows counts 32 bits per pixel for what X11 calls depth 24 (8 bits of padding).
bool SameDepth(int bitsPerPixel, Uint32 format)
{
    return bitsPerPixel == int(SDL_BITSPERPIXEL(format)) ||
           bitsPerPixel == int(SDL_BYTESPERPIXEL(format)) * 8;
}

// Why the start-up ends with exit code 1, on standard error: the mode asked for and the screen's
// modes of that size, in the units of the display settings.
void ReportMissingMode(const DisplayMode& wanted)
{
    std::string sameSize;
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != wanted.width ||
            mode.h != wanted.height)
            continue;
        sameSize += (sameSize.empty() ? "" : ", ") +
                    std::to_string(SDL_BYTESPERPIXEL(mode.format) * 8) + " bits per pixel at " +
                    std::to_string(mode.refresh_rate) + " Hz";
    }
    std::fprintf(stderr,
                 "dot3bump: the screen has no mode %dx%d, %d bits per pixel, %d Hz; its modes "
                 "of that size: %s\n",
                 wanted.width, wanted.height, wanted.bitsPerPixel, wanted.frequency,
                 sameSize.empty() ? "none" : sameSize.c_str());
}

bool FindDisplayMode(const DisplayMode& wanted, SDL_DisplayMode* found)
{
    if (wanted.width <= 0 || wanted.height <= 0) return false;
    // The offscreen driver has no screen to change: every sensible mode is its own.
    if (IsOffscreenDriver()) {
        *found = {SDL_PIXELFORMAT_RGB888, wanted.width, wanted.height, wanted.frequency, nullptr};
        return true;
    }
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        // A driver that cannot tell the refresh rate reports 0: take it as the one asked for.
        const bool sameRate = mode.refresh_rate == wanted.frequency || mode.refresh_rate == 0;
        if (mode.w == wanted.width && mode.h == wanted.height && sameRate &&
            SameDepth(wanted.bitsPerPixel, mode.format)) {
            *found = mode;
            return true;
        }
    }
    return false;
}

}  // namespace

const SDL_DisplayMode* SdlFullscreenMode() { return fullscreenActive ? &fullscreenMode : nullptr; }

void ApplyFullscreenMode(PlatformWindow* window)
{
    if (!window->sdl) return;
    if (fullscreenActive) {
        TellModeGuard(ModeNews::Entering);
        SDL_SetWindowDisplayMode(window->sdl, &fullscreenMode);
        SDL_SetWindowFullscreen(window->sdl, SDL_WINDOW_FULLSCREEN);
        TellModeGuard(ModeNews::Entered);
    } else {
        SDL_SetWindowFullscreen(window->sdl, 0);
        TellModeGuard(ModeNews::Left);
    }
}

bool PlatformChangeDisplayMode(const DisplayMode* mode, DisplayModeChange)
{
    if (!StartSdlVideo()) return false;
    if (mode) {
        SDL_DisplayMode found;
        if (!FindDisplayMode(*mode, &found)) {
            ReportMissingMode(*mode);
            return false;
        }
        fullscreenMode = found;
    }
    // SDL switches modes through a fullscreen window: a window made later picks the mode up
    // when its pixel format is set.
    fullscreenActive = mode != nullptr;
    size_t count = 0;
    PlatformWindow* const* windows = SdlWindows(&count);
    for (size_t i = 0; i < count; ++i) ApplyFullscreenMode(windows[i]);
    return true;
}

namespace {

// The mode the screen shows once the program's window is up: the fullscreen one when set.
SDL_DisplayMode ScreenMode()
{
    if (fullscreenActive) return fullscreenMode;
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) desktop.w = desktop.h = 0;
    return desktop;
}

}  // namespace

int PlatformScreenWidth() { return ScreenMode().w; }

int PlatformScreenHeight() { return ScreenMode().h; }
