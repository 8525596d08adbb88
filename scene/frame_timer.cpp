#include "scene/frame_timer.h"

#include "platform/platform.h"

FrameTimer frameTimer;

void StartFrameTimer()
{
    FrameTimer& timer = frameTimer;
    timer.usePerformanceCounter = false;
    timer.msPerTick = 0.0f;
    timer.counterFrequency = 0;
    timer.lastFrameCount = timer.fpsWindowStartCount = 0;
    timer.lastFrameTime = timer.fpsWindowStartTime = 0;

    timer.usePerformanceCounter = PlatformQueryPerformanceFrequency(&timer.counterFrequency);
    if (timer.usePerformanceCounter) {
        PlatformQueryPerformanceCounter(&timer.lastFrameCount);
        timer.fpsWindowStartCount = timer.lastFrameCount;
        timer.msPerTick = float(1000.0 / double(timer.counterFrequency));
    } else {
        timer.lastFrameTime = PlatformTimeGetTime();
        timer.fpsWindowStartTime = timer.lastFrameTime;
    }
}

void MeasureFrame()
{
    FrameTimer& timer = frameTimer;
    ++timer.framesInWindow;

    float milliseconds = 0.0f;
    if (timer.usePerformanceCounter) {
        int64_t now = 0;
        PlatformQueryPerformanceCounter(&now);
        milliseconds = float(now - timer.lastFrameCount) * timer.msPerTick;
        timer.lastFrameCount = now;
    } else {
        // Unsigned: a wrap of the 32-bit clock still gives the small true difference.
        const uint32_t now = PlatformTimeGetTime();
        milliseconds = float(now - timer.lastFrameTime);
        timer.lastFrameTime = now;
    }
    timer.elapsedSeconds = milliseconds * 0.001f;

    if (timer.framesInWindow != kFramesPerRateWindow) return;
    float windowMilliseconds = 0.0f;
    if (timer.usePerformanceCounter) {
        int64_t now = 0;
        PlatformQueryPerformanceCounter(&now);
        windowMilliseconds = float(now - timer.fpsWindowStartCount) * timer.msPerTick;
        timer.fpsWindowStartCount = now;
    } else {
        const uint32_t now = PlatformTimeGetTime();
        windowMilliseconds = float(now - timer.fpsWindowStartTime);
        timer.fpsWindowStartTime = now;
    }
    if (windowMilliseconds > 0.0f) timer.fps = int32_t(50000.0f / windowMilliseconds);
    timer.framesInWindow = 0;
}
