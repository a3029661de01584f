// Pacing of the frame loop: one frame per period, late frames made good, stalls not caught up.
#include "ZoFramePacer.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoFramePacer, FirstFrameRunsAtOnceThenOnePerPeriod) {
    ZoFramePacer pacer(50); // 20 ms
    EXPECT_EQ(pacer.PeriodMicroseconds(), 20000u);
    EXPECT_EQ(pacer.WaitBefore(1'000'000), 0u);
    pacer.FrameStarted(1'000'000);
    EXPECT_EQ(pacer.WaitBefore(1'005'000), 15000u);
    EXPECT_EQ(pacer.WaitBefore(1'020'000), 0u);
}

TEST(ZoFramePacer, AverageRateHoldsWhenWakeUpsAreLate) {
    ZoFramePacer pacer(60);
    std::uint64_t now = 0;
    int frames = 0;
    // Every wake-up comes 2 ms after the frame was due, as millisecond sleeps do.
    while (now < 1'000'000) {
        const std::uint64_t wait = pacer.WaitBefore(now);
        if (wait > 0) {
            now += wait + 2000;
            continue;
        }
        pacer.FrameStarted(now);
        ++frames;
    }
    EXPECT_GE(frames, 59);
    EXPECT_LE(frames, 61);
}

TEST(ZoFramePacer, AStallIsNotFollowedByABurstOfFrames) {
    ZoFramePacer pacer(60);
    pacer.FrameStarted(0);
    pacer.FrameStarted(500'000); // half a second late
    EXPECT_EQ(pacer.WaitBefore(500'000), pacer.PeriodMicroseconds());
}

TEST(ZoFramePacer, UnknownRateMeans60Hz) {
    ZoFramePacer pacer(0);
    EXPECT_EQ(pacer.PeriodMicroseconds(), 1000000u / 60u);
    pacer.SetRate(-5);
    EXPECT_EQ(pacer.PeriodMicroseconds(), 1000000u / 60u);
}

} // namespace
