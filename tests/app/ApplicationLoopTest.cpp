// The application frame run headless: input reaching the screen, the frame loop, pause, quit, load screen.
#include "AppTestSupport.h"
#include "PlatformEvents.h"
#include "PlatformVideo.h"
#include "ZoBaseGameApp.h"
#include "ZoClock.h"
#include "ZoSysConfig.h"
#include "ZoTimer.h"

#include <ctime>
#include <gtest/gtest.h>
#include <thread>

namespace {

struct Seen {
    std::int32_t message;
    std::int32_t device;
    std::int32_t released;
    ZoVector at;
    std::uint8_t key;
};

struct Screen : ZoEventListener {
    bool OnEvent(ZoInputEvent& event) override {
        events.push_back({event.message, event.device, event.releasedButton, event.eventPosition, event.key});
        if (onEvent)
            onEvent(event);
        return true;
    }
    void ProcessCommand() override {
        calls.push_back('P');
        if (onCommand)
            onCommand();
    }
    void Update(std::int32_t elapsed) override {
        calls.push_back('U');
        updates.push_back(elapsed);
    }
    void Draw() override { calls.push_back('D'); }

    std::vector<Seen> events;
    std::string calls;
    std::vector<std::int32_t> updates;
    std::function<void(ZoInputEvent&)> onEvent;
    std::function<void()> onCommand;
};

class TestApplication : public ZoBaseGameApp {
public:
    void GiveCursor() { cursor_ = std::make_unique<ZoCursorSprite>(); }
};

constexpr int kLineWidth = 201; // odd, so half of it is truncated

// Where a window pixel lands in the 800 x 600 frame (full screen is letterboxed on the desktop).
ZoVector Mapped(int windowX, int windowY) {
    int x = 0;
    int y = 0;
    PlatformVideo::Instance().MapToFrame(windowX, windowY, x, y);
    return ZoVector(static_cast<float>(x), static_cast<float>(y), 0);
}

class ApplicationLoopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(apptest::OpenTestArchive(
            "shell",
            {{"Data/Textures/LoadScreen.Tga", apptest::SolidTga(80, 60, 0x3050A0FF)},
             {"Data/Textures/Interface/Nag/PBgrnImg.Tga", apptest::SolidTga(210, 20, 0x202020FF)},
             {"Data/Textures/Interface/Nag/PLineImg.Tga", apptest::SolidTga(kLineWidth, 10, 0x40E040FF)},
             {"Data/Textures/Cursor.Tga", apptest::SolidTga(16, 16, 0xFFFFFFFF)}}));
    }

    void SetUp() override {
        ZoTimer::Instance().SetClock(clock);
        ZoSysConfig::Instance().windowed = false;
        app = std::make_unique<TestApplication>();
        ASSERT_TRUE(app->Create(ZoBaseApplication::kClassName, ZoBaseApplication::kTitle));
        app->SetFramePacing(false);
        auto owned = std::make_unique<Screen>();
        screen = owned.get();
        app->WindowManager()->RegisterListener("MenuWin", std::move(owned));
    }

    void TearDown() override {
        app->Shutdown();
        app.reset();
        ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());
    }

    // Runs the loop, ending it after the given frame at the latest.
    void RunFrames(std::uint64_t frames, std::function<void(std::uint64_t)> eachFrame = nullptr) {
        app->SetFrameHook([frames, eachFrame](ZoBaseApplication& application) {
            if (eachFrame)
                eachFrame(application.FramesRun());
            if (application.FramesRun() >= frames)
                application.RequestQuit();
        });
        app->Run();
    }

    ZoManualClock clock{1000};
    std::unique_ptr<TestApplication> app;
    Screen* screen = nullptr;
};

TEST_F(ApplicationLoopTest, ClicksAndKeysReachTheScreenAsTheInputRecordDescribes) {
    PlatformEvents::InjectMouseMove(300, 200);
    PlatformEvents::InjectMouseButton(1, true, 300, 200);
    PlatformEvents::InjectMouseButton(1, false, 300, 200);
    PlatformEvents::InjectMouseButton(2, true, 300, 200);
    PlatformEvents::InjectMouseButton(2, false, 300, 200);
    PlatformEvents::InjectKey('K', true);
    PlatformEvents::InjectText("k");
    PlatformEvents::InjectKey('K', false);
    PlatformEvents::InjectClose();
    app->Run();

    const ZoVector at = Mapped(300, 200);
    ASSERT_EQ(screen->events.size(), 7u);
    const std::vector<std::tuple<int, int, int>> expected = {
        {0x200, 2, 0}, {0x201, 2, 0}, {0x202, 2, 1}, {0x205, 2, 2}, {0x100, 1, 0}, {0x102, 1, 0}, {-1, 0, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(screen->events[i].message, std::get<0>(expected[i])) << "event " << i;
        EXPECT_EQ(screen->events[i].device, std::get<1>(expected[i])) << "event " << i;
        EXPECT_EQ(screen->events[i].released, std::get<2>(expected[i])) << "event " << i;
    }
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(screen->events[i].at, at) << "event " << i;
    EXPECT_EQ(screen->events[4].key, 'K');
    EXPECT_EQ(screen->events[5].key, 'k');
}

TEST_F(ApplicationLoopTest, InputIsIgnoredWhileAnotherWindowHasTheFocus) {
    PlatformEvents::InjectFocus(false);
    PlatformEvents::InjectKey('X', true);
    PlatformEvents::InjectFocus(true);
    PlatformEvents::InjectKey('Y', true);
    PlatformEvents::InjectClose();
    app->Run();
    ASSERT_EQ(screen->events.size(), 1u);
    EXPECT_EQ(screen->events[0].key, 'Y');
}

TEST_F(ApplicationLoopTest, QuitFlagEndsTheLoopBeforeTheNextMessage) {
    screen->onEvent = [this](ZoInputEvent&) { screen->WindowManager()->RequestQuit(); };
    PlatformEvents::InjectKey('A', true);
    PlatformEvents::InjectKey('B', true);
    PlatformEvents::InjectKey('C', true);
    app->Run();
    ASSERT_EQ(screen->events.size(), 1u);
    EXPECT_EQ(screen->events[0].key, 'A');
    // The other two are still waiting.
    PlatformMessage next;
    ASSERT_TRUE(app->Events()->Poll(next));
    EXPECT_EQ(next.wParam, static_cast<std::uint32_t>('B'));
}

TEST_F(ApplicationLoopTest, CloseRequestEndsTheLoopAfterTheCurrentFrame) {
    RunFrames(100, [](std::uint64_t frame) {
        if (frame == 5)
            PlatformEvents::InjectClose();
    });
    EXPECT_EQ(app->FramesRun(), 5u);
}

TEST_F(ApplicationLoopTest, EachFrameCommandsThenUpdatesWithTheSmoothedTimeThenDraws) {
    RunFrames(4, [this](std::uint64_t) { clock.Advance(16); });
    EXPECT_EQ(screen->calls, "PUDPUDPUDPUD");
    // The first frame measures from the timer's start, not from when the system started.
    EXPECT_EQ(screen->updates, (std::vector<std::int32_t>{0, 8, 10, 12}));
}

TEST_F(ApplicationLoopTest, SwitchingScreensInProcessCommandGivesTheFrameToTheNewScreen) {
    auto owned = std::make_unique<Screen>();
    Screen* game = owned.get();
    app->WindowManager()->RegisterListener("GameWin", std::move(owned));
    ASSERT_TRUE(app->WindowManager()->ActivateListener("MenuWin"));
    screen->calls.clear();
    screen->onCommand = [this] {
        screen->onCommand = nullptr;
        app->WindowManager()->ActivateListener("GameWin");
    };
    RunFrames(2);
    EXPECT_EQ(screen->calls, "P");
    EXPECT_EQ(game->calls, "UDPUD");
}

TEST_F(ApplicationLoopTest, MinimisedWindowRunsNoFramesAndTheNextFrameSeesTheWholePause) {
    std::uint64_t framesWhenKeyArrived = 0;
    bool activeWhenKeyArrived = true;
    screen->onEvent = [&](ZoInputEvent& event) {
        if (event.key != 'M')
            return;
        framesWhenKeyArrived = app->FramesRun();
        activeWhenKeyArrived = app->IsActive();
        clock.Advance(5000);
        PlatformEvents::InjectRestore();
    };
    RunFrames(4, [this](std::uint64_t frame) {
        clock.Advance(10);
        if (frame == 3) {
            PlatformEvents::InjectMinimise();
            PlatformEvents::InjectKey('M', true);
        }
    });
    EXPECT_EQ(framesWhenKeyArrived, 3u);
    EXPECT_FALSE(activeWhenKeyArrived);
    EXPECT_TRUE(app->IsActive());
    ASSERT_FALSE(ZoTimer::Instance().History().empty());
    EXPECT_EQ(ZoTimer::Instance().History().back(), 5010);
}

TEST_F(ApplicationLoopTest, MinimisedLoopSleepsUntilRestored) {
    std::thread restorer;
    const std::clock_t cpuBefore = std::clock();
    RunFrames(2, [&](std::uint64_t frame) {
        if (frame == 1) {
            PlatformEvents::InjectMinimise();
            restorer = std::thread([] {
                std::this_thread::sleep_for(std::chrono::milliseconds(600));
                PlatformEvents::InjectRestore();
            });
        }
    });
    restorer.join();
    const double cpuSeconds = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_EQ(app->FramesRun(), 2u);
    EXPECT_LT(cpuSeconds, 0.25) << "0.6 s minimised used " << cpuSeconds << " s of processor";
}

TEST_F(ApplicationLoopTest, PacedLoopLeavesTheProcessorAlone) {
    app->SetFramePacing(true);
    const std::clock_t cpuBefore = std::clock();
    const auto wallBefore = std::chrono::steady_clock::now();
    RunFrames(30);
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double cpuSeconds = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    // 30 frames at no more than the display rate (60 Hz unless the display says otherwise).
    EXPECT_GE(wallSeconds, 0.3);
    EXPECT_LT(cpuSeconds, wallSeconds * 0.5) << "cpu " << cpuSeconds << " s over " << wallSeconds << " s";
}

TEST_F(ApplicationLoopTest, ProgressBarGrowsFromTheLeftAndTheLoadScreenGoesAway) {
    std::vector<std::int32_t> seen;
    app->SetProgressHook([&](std::int32_t percent) { seen.push_back(percent); });
    ZoRenderDevice& device = ZoRenderDevice::Instance();

    app->SetProgress(0);
    ASSERT_EQ(device.Batch().size(), 2u) << "load screen and bar background, no line";
    EXPECT_EQ(device.Batch()[0].sourceWidth, 80);
    EXPECT_EQ(device.Batch()[1].sourceWidth, 210);

    app->SetProgress(50);
    ASSERT_EQ(device.Batch().size(), 3u);
    const ZoSpriteRecord& half = device.Batch()[2];
    EXPECT_EQ(half.sourceLeft, 0);
    EXPECT_EQ(half.sourceWidth, kLineWidth / 2);
    EXPECT_EQ(half.sourceHeight, 10);
    // The part lies where it lies when the whole line is drawn centred on (400, 300).
    EXPECT_FLOAT_EQ(half.x, 400.0f - kLineWidth / 2);
    EXPECT_FLOAT_EQ(half.y, 300.0f - 5);

    app->SetProgress(100);
    ASSERT_EQ(device.Batch().size(), 3u);
    EXPECT_EQ(device.Batch()[2].sourceWidth, kLineWidth);

    app->FreeLoadScreen();
    EXPECT_EQ(app->LoadScreenPicture(), nullptr);
    const std::uint64_t framesBefore = device.PresentedFrames() + device.SkippedFrames();
    app->SetProgress(90);
    EXPECT_EQ(device.PresentedFrames() + device.SkippedFrames(), framesBefore);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{0, 50, 100, 90}));
}

TEST_F(ApplicationLoopTest, FullScreenHidesTheSystemCursorAndDrawsTheSpriteAtTheMouse) {
    app->GiveCursor();
    ASSERT_EQ(ZoCursorSprite::Instance(), app->Cursor());
    PlatformEvents::InjectMouseMove(123, 45);
    RunFrames(1);
    EXPECT_FALSE(app->SystemCursorShown());
    const auto& batch = ZoRenderDevice::Instance().Batch();
    ASSERT_FALSE(batch.empty());
    EXPECT_EQ(batch.back().sourceWidth, 16);
    EXPECT_EQ(app->Cursor()->Picture().position, Mapped(123, 45));
}

TEST_F(ApplicationLoopTest, OneShowBalancesOneHideHoweverOftenHideIsCalled) {
    EXPECT_TRUE(app->SystemCursorShown());
    app->HideSystemCursor();
    app->HideSystemCursor();
    app->ShowSystemCursor();
    EXPECT_TRUE(app->SystemCursorShown());
}

} // namespace
