// The whole game, headless: the window closes while a line drops in a continued Arcade game; the drop
// finishes and the game is saved before shut-down, so nothing of it is lost at the next start.
#include "Game.h"
#include "GameApplication.h"
#include "PlatformEvents.h"
#include "SavedGame.h"
#include "TestFiles.h"
#include "ZoClock.h"
#include "ZoStartup.h"
#include "ZoTimer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(QuitTest, ClosingTheWindowDuringALineDropSavesTheGameWithItsNewRow) {
    const fs::path folder = MakeGameFolder("quit");
    ASSERT_FALSE(folder.empty());
    fs::create_directories(folder / "Data/Save");
    fs::copy_file(fs::path(KORRIK_SCENARIOS) / "arcade-drop.Zos", folder / "Data/Save/Ann.Zos");
    WriteBytes(folder / "Data/Profiles.Txt", "ActiveProfile=0\r\nPlayerName0=\"Ann\"\r\n");
    ASSERT_EQ(chdir(folder.c_str()), 0);

    ZoManualClock clock(1000);
    ZoTimer::Instance().SetClock(clock);
    Game* game = nullptr;
    int droppingAtClose = -1;
    ZoStartupOptions options;
    options.lockPath = (folder / "lock").string();
    options.framePacing = false;
    options.beforeRun = [&game](GameApplication& application) {
        game = application.GameScreen();
        ASSERT_TRUE(game->Load()); // as Continue does
        application.WindowManager()->ActivateListener(GameApplication::kGameName);
    };
    options.afterFrame = [&](ZoBaseApplication& application) {
        clock.Advance(16);
        const bool dropping = game->Map()->MapState == GameMap::kLinesDropping;
        if (droppingAtClose < 0 && (dropping || application.FramesRun() > 3000)) {
            droppingAtClose = dropping ? 1 : 0;
            PlatformEvents::InjectClose();
        }
    };
    EXPECT_EQ(ZoStartup::Run(options), 0);
    ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());
    EXPECT_EQ(droppingAtClose, 1);

    SavedGame saved;
    ASSERT_TRUE(saved.Read((folder / "Data/Save/Ann.Zos").string()));
    EXPECT_EQ(saved.gameId, Game::kArcade);
    EXPECT_EQ(saved.numMovesLeft, 5) << "the line was skipped";
    for (int x = 0; x < 12; ++x) {
        EXPECT_NE(saved.cells[static_cast<std::size_t>(x * SavedGame::kGridSide)], SavedGame::kEmptyCell)
            << "row 0 saved empty at column " << x;
    }
}
