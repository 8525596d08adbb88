#include "platform/sdl/sdl_internal.h"

bool PlatformQueryPerformanceFrequency(int64_t* frequency)
{
    *frequency = int64_t(SDL_GetPerformanceFrequency());
    return *frequency != 0;
}

bool PlatformQueryPerformanceCounter(int64_t* count)
{
    *count = int64_t(SDL_GetPerformanceCounter());
    return true;
}

// SDL_GetTicks is 32-bit milliseconds and wraps like timeGetTime.
uint32_t PlatformTimeGetTime() { return SDL_GetTicks(); }
