// The frame timer's smoothing, its start and the clock's wrap.
#include "ZoTimer.h"
#include "ZoClock.h"

#include <gtest/gtest.h>

namespace {

void TickAfter(ZoManualClock& clock, ZoTimer& timer, std::uint32_t milliseconds) {
    clock.Advance(milliseconds);
    timer.Tick();
}

TEST(ZoTimer, FirstTickMeasuresFromConstructionNotFromSystemStart) {
    ZoManualClock clock(5'000'000); // the system has been up for a while
    ZoTimer timer(clock);
    TickAfter(clock, timer, 16);
    EXPECT_EQ(timer.FrameTime(), 16);
    EXPECT_EQ(timer.History().size(), 1u);
}

TEST(ZoTimer, MeanOfFewerThan33IntervalsRoundsDown) {
    ZoManualClock clock;
    ZoTimer timer(clock);
    TickAfter(clock, timer, 10);
    TickAfter(clock, timer, 11);
    EXPECT_EQ(timer.FrameTime(), 10); // 21 / 2
    TickAfter(clock, timer, 12);
    EXPECT_EQ(timer.FrameTime(), 11);
}

TEST(ZoTimer, LongFrameIsSpreadOverTheNext33Frames) {
    ZoManualClock clock(1000);
    ZoTimer timer(clock);
    for (int i = 0; i < 32; ++i)
        TickAfter(clock, timer, 10);
    EXPECT_EQ(timer.FrameTime(), 10);
    TickAfter(clock, timer, 330);
    EXPECT_EQ(timer.FrameTime(), 19); // (32 * 10 + 330) / 33
    for (int i = 0; i < 32; ++i) {
        TickAfter(clock, timer, 10);
        ASSERT_EQ(timer.FrameTime(), 19) << "frame " << i;
    }
    TickAfter(clock, timer, 10); // the long interval has left the history
    EXPECT_EQ(timer.FrameTime(), 10);
    EXPECT_EQ(timer.History().size(), ZoTimer::kHistoryLength);
}

TEST(ZoTimer, IntervalAcrossTheClockWrapStaysSmall) {
    ZoManualClock clock(0xFFFFFFF0u);
    ZoTimer timer(clock);
    TickAfter(clock, timer, 32); // the 32-bit clock wraps to 0x10
    EXPECT_EQ(clock.Milliseconds(), 0x10u);
    EXPECT_EQ(timer.FrameTime(), 32);
}

TEST(ZoTimer, SetClockStartsAfreshFromTheNewClock) {
    ZoManualClock first(100);
    ZoManualClock second(900000);
    ZoTimer timer(first);
    TickAfter(first, timer, 50);
    timer.SetClock(second);
    EXPECT_TRUE(timer.History().empty());
    TickAfter(second, timer, 20);
    EXPECT_EQ(timer.FrameTime(), 20);
}

} // namespace
