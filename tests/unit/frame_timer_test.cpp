// Frame timing against the fake clocks.
#include "scene/frame_driver.h"
#include "scene/model.h"
#include "tests/fake/fake_platform.h"

#include <gtest/gtest.h>

namespace {

class FrameTimerTest : public ::testing::Test {
protected:
    static inline int64_t kCounterHz = 1000000;

    void SetUp() override
    {
        ResetFakePlatform();
        frameTimer = FrameTimer();
    }

    // One frame taking `ms` milliseconds on whichever clock is in use; the counter, when there
    // is one, runs at kCounterHz.
    void Frame(double ms)
    {
        fakePlatform.performanceCount += int64_t(ms * double(kCounterHz) / 1000.0);
        fakePlatform.milliseconds += uint32_t(ms);
        MeasureFrame();
    }
};

}  // namespace

TEST_F(FrameTimerTest, FirstFrameTurnsNothingAndTheSecondTurnsByTheFirstsDuration)
{
    fakePlatform.performanceFrequency = 1000000;
    StartFrameTimer();
    EXPECT_TRUE(frameTimer.usePerformanceCounter);

    RotationStep cube, sphere;
    SetRotationSteps(frameTimer.elapsedSeconds, cube, sphere);  // frame 1
    EXPECT_EQ(cube.y, 0.0f);
    EXPECT_EQ(sphere.x, 0.0f);
    Frame(40);
    SetRotationSteps(frameTimer.elapsedSeconds, cube, sphere);  // frame 2
    EXPECT_NEAR(cube.y, 0.04f * 20.0f, 1e-5f);
    EXPECT_NEAR(cube.z, 0.04f * 30.000002f, 1e-5f);
    EXPECT_EQ(cube.x, 0.0f);  // never written
    EXPECT_NEAR(sphere.x, 0.04f * 10.0f, 1e-5f);
    EXPECT_NEAR(sphere.y, 0.04f * 20.0f, 1e-5f);
    EXPECT_EQ(sphere.z, 0.0f);
}

TEST_F(FrameTimerTest, CubeTurnsAboutZAtTheFloatJustAboveThirty)
{
    RotationStep cube, sphere;
    SetRotationSteps(1.0f, cube, sphere);
    EXPECT_EQ(cube.z, 30.0f + 1.0f / 524288.0f);
}

TEST_F(FrameTimerTest, FrameRateOverFiftyFramesTruncates)
{
    for (bool counter : {true, false}) {
        SCOPED_TRACE(counter ? "counter" : "milliseconds");
        SetUp();
        // A counter of 1000 Hz keeps msPerTick exact; at other rates the float product may
        // land a hair above 1000 ms and show 49.
        kCounterHz = 1000;
        fakePlatform.performanceFrequency = counter ? kCounterHz : 0;
        StartFrameTimer();
        for (int i = 0; i < 49; ++i) Frame(20);
        EXPECT_EQ(frameTimer.fps, 0);  // nothing shown before the first window closes
        Frame(20);
        EXPECT_EQ(frameTimer.fps, 50);
        EXPECT_EQ(frameTimer.framesInWindow, 0);
        for (int i = 0; i < 50; ++i) Frame(i < 34 ? 17 : 16);  // 834 ms
        EXPECT_EQ(frameTimer.fps, 59);                         // 59.95 truncated, not 60
    }
    kCounterHz = 1000000;
}

TEST_F(FrameTimerTest, MillisecondClockWrapGivesTheSmallDifference)
{
    fakePlatform.milliseconds = 0xFFFFFFF0u;
    StartFrameTimer();
    EXPECT_FALSE(frameTimer.usePerformanceCounter);
    fakePlatform.milliseconds += 0x20;  // wraps to 0x10
    MeasureFrame();
    EXPECT_NEAR(frameTimer.elapsedSeconds, 0.032f, 1e-6f);
    MeasureFrame();  // the same millisecond: no turn next frame
    EXPECT_EQ(frameTimer.elapsedSeconds, 0.0f);
}

TEST_F(FrameTimerTest, WindowMeasuredAsZeroKeepsThePreviousRate)
{
    StartFrameTimer();
    frameTimer.fps = 42;
    for (int i = 0; i < 50; ++i) MeasureFrame();
    EXPECT_EQ(frameTimer.fps, 42);
    EXPECT_EQ(frameTimer.framesInWindow, 0);
}
