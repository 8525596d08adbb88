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

namespace {

// Milliseconds from the reading kept in `count` (counter) or `time` (millisecond clock) to a new
// one, which replaces it.
float MillisecondsSince(int64_t& count, uint32_t& time)
{
    if (frameTimer.usePerformanceCounter) {
        int64_t now = 0;
        PlatformQueryPerformanceCounter(&now);
        const float milliseconds = float(now - count) * frameTimer.msPerTick;
        count = now;
        return milliseconds;
    }
    // Unsigned: a wrap of the 32-bit clock still gives the small true difference.
    const uint32_t now = PlatformTimeGetTime();
    const float milliseconds = float(now - time);
    time = now;
    return milliseconds;
}

}  // namespace

void MeasureFrame()
{
    FrameTimer& timer = frameTimer;
    ++timer.framesInWindow;
    timer.elapsedSeconds = MillisecondsSince(timer.lastFrameCount, timer.lastFrameTime) * 0.001f;
    if (timer.framesInWindow != kFramesPerRateWindow) return;

    // A second, later reading closes this window and opens the next.
    const float windowMilliseconds =
        MillisecondsSince(timer.fpsWindowStartCount, timer.fpsWindowStartTime);
    if (windowMilliseconds > 0.0f) timer.fps = int32_t(50000.0f / windowMilliseconds);
    timer.framesInWindow = 0;
}
