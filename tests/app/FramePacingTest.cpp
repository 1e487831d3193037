#include <gtest/gtest.h>

#include "app/FramePacing.h"

TEST(FramePacing, SleepsTheRestOfTheLimitAndHandsOnTheLimit) {
    PacingStep step = paceFrame(0.008333f, 10.0, 0.002);
    EXPECT_EQ(step.sleepMilliseconds, 6);
    EXPECT_DOUBLE_EQ(step.elapsed, static_cast<double>(0.008333f));
    EXPECT_DOUBLE_EQ(step.lastTime, 10.0 + static_cast<double>(0.008333f));
}

TEST(FramePacing, UnlimitedNeverSleeps) {
    PacingStep step = paceFrame(-1.0f, 3.0, 0.0001);
    EXPECT_EQ(step.sleepMilliseconds, -1);
    EXPECT_DOUBLE_EQ(step.elapsed, 0.0001);
    EXPECT_DOUBLE_EQ(step.lastTime, 3.0);
}

TEST(FramePacing, SlowFrameIsHandedOnMeasured) {
    PacingStep step = paceFrame(0.016667f, 1.0, 0.05);
    EXPECT_EQ(step.sleepMilliseconds, -1);
    EXPECT_DOUBLE_EQ(step.elapsed, 0.05);
}

TEST(FramePacing, UnderOneMillisecondStillAsksForAZeroSleep) {
    PacingStep step = paceFrame(0.005f, 1.0, 0.0045);
    EXPECT_EQ(step.sleepMilliseconds, 0);
    EXPECT_DOUBLE_EQ(step.elapsed, static_cast<double>(0.005f));
}
