// Display mode: ChangeDisplaySettingsA with the DEVMODEA of the fullscreen-window Part, and
// the screen size the mode change leaves behind.
#include "platform/win32/win32_platform.h"

#include <cstring>

static_assert(sizeof(DEVMODEA) == 156, "dmSize must be the size of DEVMODEA, 156");

bool PlatformChangeDisplayMode(const DisplayMode* mode, DisplayModeChange how)
{
    if (mode == nullptr) {
        return ChangeDisplaySettingsA(nullptr, 0) == DISP_CHANGE_SUCCESSFUL;
    }
    DEVMODEA devMode;
    std::memset(&devMode, 0, sizeof devMode);
    devMode.dmSize = sizeof devMode;
    devMode.dmDriverExtra = 0;
    devMode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    devMode.dmBitsPerPel = static_cast<DWORD>(mode->bitsPerPixel);
    devMode.dmPelsWidth = static_cast<DWORD>(mode->width);
    devMode.dmPelsHeight = static_cast<DWORD>(mode->height);
    devMode.dmDisplayFrequency = static_cast<DWORD>(mode->frequency);
    DWORD flags = how == DisplayModeChange::Fullscreen ? CDS_FULLSCREEN : CDS_RESET;
    return ChangeDisplaySettingsA(&devMode, flags) == DISP_CHANGE_SUCCESSFUL;
}

int PlatformScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int PlatformScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }
