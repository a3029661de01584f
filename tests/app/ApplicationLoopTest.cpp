// The frame loop run headless on the game's archive: input reaching the active screen, the order of a frame,
// quitting, minimising, pacing and the cursor.
#include "PlatformEvents.h"
#include "PlatformVideo.h"
#include "TestFiles.h"
#include "ZoBaseGameApp.h"
#include "ZoClock.h"
#include "ZoResourceManager.h"
#include "ZoSysConfig.h"
#include "ZoTimer.h"

#include <ctime>
#include <gtest/gtest.h>
#include <thread>

namespace {

struct Screen : ZoEventListener {
    bool OnEvent(ZoInputEvent& event) override {
        events.push_back({event.message, event.device, event.releasedButton, event.key});
        if (onEvent)
            onEvent(event);
        return true;
    }
    void ProcessCommand() override { calls += 'P'; }
    void Update(std::int32_t elapsed) override {
        calls += 'U';
        updates.push_back(elapsed);
    }
    void Draw() override { calls += 'D'; }

    std::vector<std::array<int, 4>> events;
    std::string calls;
    std::vector<std::int32_t> updates;
    std::function<void(ZoInputEvent&)> onEvent;
};

class TestApplication : public ZoBaseGameApp {
public:
    void GiveCursor() { cursor_ = std::make_unique<ZoCursorSprite>(); }
};

double CpuSeconds(std::clock_t since) {
    return static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC;
}

class ApplicationLoopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ZoResourceManager::Instance().Open(BinaryDir() + "/Data/Resource.Zor")); }
    void SetUp() override {
        ZoTimer::Instance().SetClock(clock);
        ZoSysConfig::Instance().windowed = false;
        ASSERT_TRUE(app.Create(ZoBaseApplication::kClassName, ZoBaseApplication::kTitle));
        app.SetFramePacing(false);
        auto owned = std::make_unique<Screen>();
        screen = owned.get();
        app.WindowManager()->RegisterListener("MenuWin", std::move(owned));
    }
    void TearDown() override {
        app.Shutdown();
        ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());
    }
    // Runs the loop, ending it after the given frame at the latest.
    void RunFrames(std::uint64_t frames, std::function<void(std::uint64_t)> eachFrame = nullptr) {
        app.SetFrameHook([=](ZoBaseApplication& application) {
            if (eachFrame)
                eachFrame(application.FramesRun());
            if (application.FramesRun() >= frames)
                application.RequestQuit();
        });
        app.Run();
    }

    ZoManualClock clock{1000};
    TestApplication app;
    Screen* screen = nullptr;
};

TEST_F(ApplicationLoopTest, InputReachesTheScreenOnlyWhileFocusedAndAQuitStopsBeforeTheNextMessage) {
    PlatformEvents::InjectMouseButton(1, true, 300, 200);
    PlatformEvents::InjectMouseButton(1, false, 300, 200);
    PlatformEvents::InjectFocus(false);
    PlatformEvents::InjectKey('X', true);
    PlatformEvents::InjectFocus(true);
    PlatformEvents::InjectKey('K', true);
    PlatformEvents::InjectKey('L', true);
    screen->onEvent = [this](ZoInputEvent& event) {
        if (event.key == 'K')
            screen->WindowManager()->RequestQuit();
    };
    app.Run();
    const std::vector<std::array<int, 4>> expected = {
        {0x200, 2, 0, 0}, {0x201, 2, 0, 0}, {0x202, 2, 1, 0}, {0x100, 1, 0, 'K'}};
    EXPECT_EQ(screen->events, expected);
    PlatformMessage next;
    ASSERT_TRUE(app.Events()->Poll(next)); // still waiting
    EXPECT_EQ(next.wParam, static_cast<std::uint32_t>('L'));
}

TEST_F(ApplicationLoopTest, EachFrameRunsCommandUpdateDrawWithTheSmoothedTimeUntilTheWindowCloses) {
    RunFrames(100, [this](std::uint64_t frame) {
        clock.Advance(16);
        if (frame == 4)
            PlatformEvents::InjectClose();
    });
    EXPECT_EQ(app.FramesRun(), 4u);
    EXPECT_EQ(screen->calls, "PUDPUDPUDPUD");
    // The first frame measures from the timer's start, not from when the system started.
    EXPECT_EQ(screen->updates, (std::vector<std::int32_t>{0, 8, 10, 12}));
}

TEST_F(ApplicationLoopTest, MinimisedTheLoopSleepsAndTheNextFrameSeesTheWholePause) {
    bool activeWhenKeyArrived = true;
    screen->onEvent = [&](ZoInputEvent& event) {
        activeWhenKeyArrived = app.IsActive();
        clock.Advance(5000);
        PlatformEvents::InjectRestore();
    };
    std::thread waker;
    const std::clock_t cpuBefore = std::clock();
    RunFrames(3, [&](std::uint64_t frame) {
        clock.Advance(10);
        if (frame == 2) {
            PlatformEvents::InjectMinimise();
            waker = std::thread([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(600));
                PlatformEvents::InjectKey('M', true);
            });
        }
    });
    waker.join();
    EXPECT_EQ(app.FramesRun(), 3u);
    EXPECT_FALSE(activeWhenKeyArrived);
    EXPECT_LT(CpuSeconds(cpuBefore), 0.25) << "0.6 s minimised";
    EXPECT_EQ(ZoTimer::Instance().History().back(), 5010);
}

TEST_F(ApplicationLoopTest, APacedLoopLeavesTheProcessorAlone) {
    app.SetFramePacing(true);
    const std::clock_t cpuBefore = std::clock();
    const auto wallBefore = std::chrono::steady_clock::now();
    RunFrames(30);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    EXPECT_GE(wall, 0.3); // no faster than the display
    EXPECT_LT(CpuSeconds(cpuBefore), wall * 0.5);
}

TEST_F(ApplicationLoopTest, FullScreenHidesTheSystemCursorAndDrawsTheSpriteLastAtTheMouse) {
    app.GiveCursor();
    PlatformEvents::InjectMouseMove(123, 45);
    RunFrames(1);
    EXPECT_FALSE(app.SystemCursorShown());
    int x = 0, y = 0;
    PlatformVideo::Instance().MapToFrame(123, 45, x, y);
    EXPECT_EQ(app.Cursor()->Picture().position, ZoVector(static_cast<float>(x), static_cast<float>(y), 0));
    const auto& batch = ZoRenderDevice::Instance().Batch();
    ASSERT_FALSE(batch.empty());
    EXPECT_EQ(batch.back().sourceWidth, app.Cursor()->Picture().Width());
}

TEST_F(ApplicationLoopTest, ThePointerAloneOverAStillScreenRedrawsOnlyWhereTheCursorWasAndIs) {
    app.GiveCursor();
    PlatformEvents::InjectMouseMove(100, 100);
    ZoRenderDevice& device = ZoRenderDevice::Instance();
    std::vector<std::uint64_t> presented;
    RunFrames(4, [&](std::uint64_t frame) {
        presented.push_back(device.PresentedFrames());
        if (frame == 2)
            PlatformEvents::InjectMouseMove(110, 104);
    });
    // Frame 2 and 4 are the frame before them; frame 3 redraws two cursors' worth on 8-pixel tiles.
    EXPECT_EQ(presented[1], presented[0]);
    EXPECT_EQ(presented[2], presented[1] + 1);
    EXPECT_EQ(presented[3], presented[2]);
    const std::int64_t cursor = (app.Cursor()->Picture().Width() + 20) * (app.Cursor()->Picture().Height() + 20);
    EXPECT_LE(PlatformVideo::Instance().LastFrameCost().rasterised, 2 * cursor);
}

} // namespace
