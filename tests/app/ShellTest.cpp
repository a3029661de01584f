// The shell's pieces: window messages into the input record, screens by name, the smoothed frame time and
// the frame pacer.
#include "ZoClock.h"
#include "ZoFramePacer.h"
#include "ZoTimer.h"
#include "ZoWindowManager.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t At(int x, int y) {
    return static_cast<std::uint32_t>(x) | (static_cast<std::uint32_t>(y) << 16);
}

TEST(ZoInputEvent, ClicksHappenWhereTheMouseLastMovedAndOnlyTheReleaseCounts) {
    ZoInputEvent e;
    const struct {
        std::uint32_t message, wParam, lParam;
        bool event;
        std::int32_t device, released;
        std::uint8_t key;
    } steps[] = {
        {0x200, 0, At(120, 45), true, 2, 0, 0}, {0x200, 0, At(300, 200), true, 2, 0, 0},
        {0x201, 0, At(5, 5), true, 2, 0, 0},    {0x202, 0, At(5, 5), true, 2, 1, 0},
        {0x204, 0, 0, false, 2, 0, 0},          {0x205, 0, 0, true, 2, 2, 0},
        {0x100, 'A', 0, true, 1, 0, 'A'},       {0x102, 0x1E9, 0, true, 1, 0, 0xE9},
        {0x101, 'A', 0, true, 0, 0, 0},         {0x20A, 0, 0, false, 0, 0, 0},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(e.Translate(s.message, s.wParam, s.lParam), s.event) << std::hex << s.message;
        // What is no event, and a key release, leave the record without a message.
        const bool kept = s.event && s.message != 0x101;
        EXPECT_EQ(e.message, kept ? static_cast<std::int32_t>(s.message) : -1) << std::hex << s.message;
        EXPECT_EQ(e.device, s.event ? s.device : 0) << std::hex << s.message;
        EXPECT_EQ(e.releasedButton, s.released) << std::hex << s.message;
        EXPECT_EQ(e.key, s.key) << std::hex << s.message;
        if (s.event && s.device == 2 && s.lParam != At(120, 45)) {
            EXPECT_EQ(e.eventPosition, ZoVector(300, 200, 0)) << std::hex << s.message;
        }
    }
    EXPECT_EQ(e.previousCursorPoint, ZoCell(120, 45));
    e.windowActive = false; // another window has the focus
    EXPECT_FALSE(e.Translate(0x200, 0, At(60, 70)));
    EXPECT_FALSE(e.Translate(0x100, 'X', 0));
    EXPECT_EQ(e.position, ZoVector(300, 200, 0));
}

struct Screen : ZoEventListener {
    explicit Screen(int* deaths = nullptr) : deaths_(deaths) {}
    ~Screen() override {
        if (deaths_ != nullptr)
            ++*deaths_;
    }
    bool OnEvent(ZoInputEvent& event) override {
        messages.push_back(event.message);
        return true;
    }
    std::vector<std::int32_t> messages;
    int* deaths_;
};

TEST(ZoWindowManager, AScreenSwitchDropsAHalfHandledClickAndTheOldScreensCommand) {
    ZoInputEvent event;
    int quits = 0, deaths = 0;
    {
        ZoWindowManager manager(event, [&] { ++quits; });
        auto menu = std::make_unique<Screen>(&deaths), game = std::make_unique<Screen>(&deaths);
        Screen *m = menu.get(), *g = game.get();
        manager.RegisterListener("MenuWin", std::move(menu));
        manager.RegisterListener("GameWin", std::move(game));
        EXPECT_EQ(manager.Active(), g); // the newest screen is active
        ASSERT_TRUE(manager.ActivateListener("MenuWin"));
        event.Translate(0x200, 0, At(100, 100));
        event.Translate(0x201, 0, 0);
        m->pendingCommand = "MainMenuDlg.Classic";
        g->pendingCommand = "kept";
        EXPECT_FALSE(manager.ActivateListener("NoSuchWin"));
        EXPECT_EQ(event.message, 0x201);
        ASSERT_TRUE(manager.ActivateListener("GameWin"));
        EXPECT_EQ(m->pendingCommand + "/" + g->pendingCommand, "/kept");
        manager.Dispatch();
        EXPECT_EQ(g->messages, std::vector<std::int32_t>{-1}); // the new screen sees no click
        EXPECT_TRUE(m->messages.empty());
        manager.RegisterListener("GameWin", std::make_unique<Screen>(&deaths)); // replaced: deleted
        EXPECT_EQ(deaths, 1);
        manager.RequestQuit();
    }
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(deaths, 3);
}

TEST(ZoTimer, FrameTimeIsTheMeanOfTheLast33IntervalsFromTheFirstTickAcrossTheClockWrap) {
    ZoManualClock clock(0xFFFFFFF0u); // the system has been up for 49 days
    ZoTimer timer(clock);
    const auto tick = [&](std::uint32_t milliseconds) {
        clock.Advance(milliseconds);
        timer.Tick();
        return timer.FrameTime();
    };
    EXPECT_EQ(tick(32), 32); // measured from construction, across the 32-bit wrap
    EXPECT_EQ(tick(11), 21);
    for (int i = 0; i < 31; ++i)
        tick(10);
    EXPECT_EQ(tick(330), 19); // a long frame is spread over the next 33
    for (int i = 0; i < 32; ++i)
        ASSERT_EQ(tick(10), 19) << i;
    EXPECT_EQ(tick(10), 10);
    ZoManualClock other(900000);
    timer.SetClock(other);
    other.Advance(20);
    timer.Tick();
    EXPECT_EQ(timer.FrameTime(), 20);
}

TEST(ZoFramePacer, HoldsTheRateWhenWakeUpsAreLateAndDoesNotCatchUpAfterAStall) {
    ZoFramePacer pacer(60);
    std::uint64_t now = 0;
    int frames = 0;
    while (now < 1'000'000) { // every wake-up 2 ms late, as millisecond sleeps are
        const std::uint64_t wait = pacer.WaitBefore(now);
        if (wait > 0) {
            now += wait + 2000;
            continue;
        }
        pacer.FrameStarted(now);
        ++frames;
    }
    EXPECT_NEAR(frames, 60, 1);
    pacer.FrameStarted(now + 500'000);
    EXPECT_EQ(pacer.WaitBefore(now + 500'000), pacer.PeriodMicroseconds());
    EXPECT_EQ(ZoFramePacer(0).PeriodMicroseconds(), 1000000u / 60u); // unknown display rate
}

} // namespace
