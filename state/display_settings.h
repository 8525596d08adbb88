// The fullscreen mode the program switches to, read once at start-up from the registry key
// "Software\Quorvane\Telmarix - practice" under HKEY_LOCAL_MACHINE (on Linux, from the same key
// in a .reg file; see the README), and read-only afterwards.
#pragma once

#include <cstdint>

struct DisplaySettings {
    int32_t width = 800;        // pixels
    int32_t height = 600;       // pixels
    int32_t bitsPerPixel = 32;  // colour depth
    int32_t frequency = 60;     // refresh rate in Hz
};

extern DisplaySettings displaySettings;
