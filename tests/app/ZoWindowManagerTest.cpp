// Screens registered by name, the active screen and its events.
#include "ZoWindowManager.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Recorder : ZoEventListener {
    explicit Recorder(int* deaths = nullptr) : deaths_(deaths) {}
    ~Recorder() override {
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

struct Fixture : ::testing::Test {
    ZoInputEvent event;
    int quitRequests = 0;
    ZoWindowManager manager{event, [this] { ++quitRequests; }};

    Recorder* Add(const std::string& name, int* deaths = nullptr) {
        auto listener = std::make_unique<Recorder>(deaths);
        Recorder* raw = listener.get();
        manager.RegisterListener(name, std::move(listener));
        return raw;
    }
};

using ZoWindowManagerTest = Fixture;

TEST_F(ZoWindowManagerTest, RegisteringMakesTheNewScreenActiveAndEventsGoOnlyThere) {
    Recorder* menu = Add("MenuWin");
    Recorder* game = Add("GameWin");
    EXPECT_EQ(manager.Active(), game);
    EXPECT_EQ(menu->WindowManager(), &manager);
    event.Translate(0x100, 'Q', 0);
    manager.Dispatch();
    EXPECT_TRUE(menu->messages.empty());
    EXPECT_EQ(game->messages, std::vector<std::int32_t>{0x100});
}

TEST_F(ZoWindowManagerTest, SwitchingClearsAHalfHandledClickAndTheOldPendingCommand) {
    Recorder* menu = Add("MenuWin");
    Recorder* game = Add("GameWin");
    ASSERT_TRUE(manager.ActivateListener("MenuWin"));
    event.Translate(0x200, 0, 100 | (100 << 16));
    event.Translate(0x201, 0, 0);
    menu->pendingCommand = "MainMenuDlg.Classic";
    game->pendingCommand = "kept";
    ASSERT_TRUE(manager.ActivateListener("GameWin"));
    EXPECT_EQ(event.device, 0);
    EXPECT_EQ(event.message, -1);
    EXPECT_EQ(event.releasedButton, 0);
    EXPECT_EQ(menu->pendingCommand, "");
    EXPECT_EQ(game->pendingCommand, "kept");
    manager.Dispatch();
    EXPECT_EQ(game->messages, std::vector<std::int32_t>{-1}); // the new screen sees no click
    EXPECT_EQ(manager.ActiveName(), "GameWin");
}

TEST_F(ZoWindowManagerTest, UnknownNameKeepsTheCurrentScreen) {
    Recorder* menu = Add("MenuWin");
    event.Translate(0x100, 'Z', 0);
    EXPECT_FALSE(manager.ActivateListener("NoSuchWin"));
    EXPECT_EQ(manager.Active(), menu);
    EXPECT_EQ(event.message, 0x100); // nothing was cleared either
}

TEST_F(ZoWindowManagerTest, ReplacingAndDestroyingDeleteEachScreenOnce) {
    int deaths = 0;
    {
        ZoInputEvent localEvent;
        ZoWindowManager local(localEvent, nullptr);
        local.RegisterListener("MenuWin", std::make_unique<Recorder>(&deaths));
        local.RegisterListener("MenuWin", std::make_unique<Recorder>(&deaths));
        EXPECT_EQ(deaths, 1);
        local.RegisterListener("GameWin", std::make_unique<Recorder>(&deaths));
        local.RequestQuit(); // no quit handler: nothing happens
    }
    EXPECT_EQ(deaths, 3);
}

TEST_F(ZoWindowManagerTest, RequestQuitReachesTheApplication) {
    manager.RequestQuit();
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(ZoWindowManagerTest, DispatchWithoutScreensDoesNothing) {
    event.Translate(0x100, 'A', 0);
    manager.Dispatch();
    EXPECT_EQ(manager.Active(), nullptr);
}

} // namespace
