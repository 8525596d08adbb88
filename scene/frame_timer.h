// How long each frame took, and the frame rate over windows of 50 frames.
#pragma once

#include <cstdint>

struct FrameTimer {
    // The clock: the high-resolution counter when the system has one, else milliseconds.
    bool usePerformanceCounter = false;
    float msPerTick = 0.0f;        // 1000 / counterFrequency
    int64_t counterFrequency = 0;  // ticks per second
    int64_t lastFrameCount = 0;    // counter at the previous frame's end
    int64_t fpsWindowStartCount = 0;
    uint32_t lastFrameTime = 0;  // milliseconds at the previous frame's end
    uint32_t fpsWindowStartTime = 0;
    // Statistics: untouched by StartFrameTimer.
    int32_t framesInWindow = 0;   // 0 to 49 between frames
    int32_t fps = 0;              // 0 until 50 frames are done
    float elapsedSeconds = 0.0f;  // the previous frame's duration; turns the next frame
};

extern FrameTimer frameTimer;

constexpr int32_t kFramesPerRateWindow = 50;

// Clears the clock and takes its first reading.
void StartFrameTimer();

// Counts the frame just presented, measures its duration into elapsedSeconds and, every 50th
// frame, the frame rate. A 50-frame window measured as 0 ms keeps the previous rate.
void MeasureFrame();
