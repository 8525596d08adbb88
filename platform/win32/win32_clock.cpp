// Clocks: the performance counter, and timeGetTime (winmm) as the millisecond fallback.
#include "platform/win32/win32_platform.h"

#include <mmsystem.h>

bool PlatformQueryPerformanceFrequency(int64_t* frequency)
{
    LARGE_INTEGER value = {};
    BOOL available = QueryPerformanceFrequency(&value);
    *frequency = value.QuadPart;
    return available != FALSE;
}

bool PlatformQueryPerformanceCounter(int64_t* count)
{
    LARGE_INTEGER value = {};
    BOOL available = QueryPerformanceCounter(&value);
    *count = value.QuadPart;
    return available != FALSE;
}

uint32_t PlatformTimeGetTime() { return timeGetTime(); }
