// The whole game headless: a first start asks for a name, a Classic game is played and left, the menu quits.
#include "AppTestSupport.h"
#include "Game.h"
#include "GameApplication.h"
#include "GameGlobals.h"
#include "GameMap.h"
#include "GuiTestSupport.h"
#include "MenuGui.h"
#include "PlatformEvents.h"
#include "PlatformMessageBox.h"
#include "ZoClock.h"
#include "ZoProfileManager.h"
#include "ZoRenderDevice.h"
#include "ZoStartup.h"
#include "ZoSysConfig.h"
#include "ZoTimer.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every cell's ball id (-1 for none): a shot always changes it, whether it sticks or bursts.
std::vector<std::int32_t> BoardSnapshot(const GameMap& map) {
    std::vector<std::int32_t> cells;
    for (std::int32_t y = 0; y < GameValues().yMax; ++y)
        for (std::int32_t x = 0; x < GameValues().xMax; ++x) {
            const BaseBubble* ball = map.Bubble(x, y);
            cells.push_back(ball != nullptr ? ball->BubbleID : -1);
        }
    return cells;
}


bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ClickFrame(const ZoVector& at) {
    const int x = static_cast<int>(at.x);
    const int y = static_cast<int>(at.y);
    PlatformEvents::InjectMouseMove(x, y);
    PlatformEvents::InjectMouseButton(1, true, x, y);
    PlatformEvents::InjectMouseButton(1, false, x, y);
}

bool Steady(ZoPanelHost& host) {
    for (const ZoPanel* panel : host.OpenPanels())
        if (panel->state != ZoPanel::Steady)
            return false;
    return true;
}

bool IsOpen(ZoPanelHost& host, const std::string& name) {
    for (const ZoPanel* panel : host.OpenPanels())
        if (panel->name == name)
            return true;
    return false;
}

TEST(MenuEndToEnd, FirstStartNamesAPlayerPlaysClassicLeavesItSavedAndQuits) {
    const char* binary = std::getenv("KORRIK_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    const std::string data = std::string(binary) + "/Data";
    ASSERT_TRUE(Exists(data + "/Resource.Zor") && Exists(data + "/Lang.Zor")) << "build the target gamedata";

    const std::string folder = apptest::MakeTemporaryFolder("menu-e2e");
    ASSERT_EQ(mkdir((folder + "/Data").c_str(), 0700), 0);
    ASSERT_EQ(symlink((data + "/Resource.Zor").c_str(), (folder + "/Data/Resource.Zor").c_str()), 0);
    ASSERT_EQ(symlink((data + "/Lang.Zor").c_str(), (folder + "/Data/Lang.Zor").c_str()), 0);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    // Windowed, so injected window positions are frame positions.
    ZoSysConfig start(ZoSysConfig::kFileName);
    start.windowed = true;
    ASSERT_TRUE(start.Save());

    ZoManualClock clock(1000);
    ZoTimer::Instance().SetClock(clock);
    PlatformMessageBox::Instance().ClearCaptured();

    GameApplication* application = nullptr;
    int step = 0;
    std::uint64_t stepFrame = 0;
    int shots = 0;
    bool nameAskedWithoutCancel = false;
    bool continueDisabledAtFirst = false;
    bool continueEnabledAfterLeaving = false;
    bool gameStarted = false;
    bool shotPending = false;
    int flightsSeen = 0;
    std::vector<std::int32_t> boardAtStart;
    std::vector<std::int32_t> boardAtEnd;
    std::string screenshot;

    ZoStartupOptions options;
    options.lockPath = folder + "/lock";
    options.framePacing = false;
    options.beforeRun = [&](GameApplication& app) { application = &app; };
    options.afterFrame = [&](ZoBaseApplication& app) {
        const std::uint64_t frame = app.FramesRun();
        clock.Advance(16);
        ASSERT_NE(application, nullptr);
        MenuGui* menu = application->Menu();
        Game* game = application->GameScreen();
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(game, nullptr);
        ZoWindowManager& windows = *application->WindowManager();
        const auto next = [&] {
            ++step;
            stepFrame = frame;
        };
        switch (step) {
        case 0: // the name entry is the first thing shown, and it cannot be cancelled
            if (IsOpen(*menu, "PlayerNameDlg") && Steady(*menu)) {
                nameAskedWithoutCancel = menu->GetPanel("PlayerNameDlg")->cancelButton->disabled;
                continueDisabledAtFirst = application->ContinueButton()->disabled;
                PlatformEvents::InjectText("Zed");
                next();
            }
            break;
        case 1:
            ClickFrame(menu->GetPanel("PlayerNameDlg")->FindElement("PlayerNameDlg.Ok")->Image()->position);
            next();
            break;
        case 2: // back on the main menu: a picture of it, then Classic
            if (!IsOpen(*menu, "PlayerNameDlg") && Steady(*menu) && frame > stepFrame + 30) {
                screenshot = guitest::SavePng(ZoRenderDevice::Instance().ReadFramePixels(), "menu-e2e-main");
                ClickFrame(
                    menu->GetPanel("MainMenuDlg")->FindElement("MainMenuDlg.Classic")->Image()->position);
                next();
            }
            break;
        case 3: // a few shots at the board, each given time to land
            if (shotPending && frame == stepFrame + 1) {
                // The frame after the click, the ball is on its way.
                flightsSeen += game->GetShooter()->flying ? 1 : 0;
                shotPending = false;
            }
            if (windows.ActiveName() == "GameWin" && frame > stepFrame + 60 && game->Map() != nullptr &&
                game->Map()->MapState == GameMap::kReady && !game->GetShooter()->flying) {
                if (!gameStarted)
                    boardAtStart = BoardSnapshot(*game->Map());
                gameStarted = true;
                shotPending = true;
                const float aims[3] = {250.0f, 400.0f, 550.0f};
                ClickFrame(ZoVector(aims[shots], 250.0f, 0.0f));
                stepFrame = frame;
                if (++shots == 3) {
                    next();
                    stepFrame = frame;
                }
            }
            break;
        case 4: // to the menu: the game is saved
            if (frame == stepFrame + 1)
                flightsSeen += game->GetShooter()->flying ? 1 : 0;
            if (frame > stepFrame + 90 && !game->GetShooter()->flying) {
                boardAtEnd = BoardSnapshot(*game->Map());
                ClickFrame(
                    game->GetPanel(Game::kMenuPanel)->FindElement(Game::kToMenuButton)->Image()->position);
                next();
            }
            break;
        case 5:
            if (windows.ActiveName() == "MenuWin" && frame > stepFrame + 5 && Steady(*menu)) {
                continueEnabledAfterLeaving = !application->ContinueButton()->disabled;
                ClickFrame(menu->GetPanel("MainMenuDlg")->FindElement("MainMenuDlg.Exit")->Image()->position);
                next();
            }
            break;
        default:
            break;
        }
        if (frame == 3000)
            PlatformEvents::InjectClose();
        ASSERT_LT(frame, 3000u) << "the script stopped at step " << step;
    };

    EXPECT_EQ(ZoStartup::Run(options), 0);
    ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());

    EXPECT_EQ(step, 6) << "Exit did not end the loop";
    EXPECT_TRUE(nameAskedWithoutCancel);
    EXPECT_TRUE(continueDisabledAtFirst);
    EXPECT_TRUE(gameStarted);
    EXPECT_EQ(shots, 3);
    EXPECT_EQ(flightsSeen, 3) << "every injected click fired a ball";
    EXPECT_FALSE(boardAtStart.empty());
    EXPECT_NE(boardAtEnd, boardAtStart) << "the shots changed the board";
    EXPECT_TRUE(continueEnabledAfterLeaving);
    EXPECT_FALSE(screenshot.empty());
    EXPECT_EQ(PlatformMessageBox::Instance().Captured(), std::vector<std::string>{});

    const std::string profiles = ReadFile("Data//Profiles.Txt");
    EXPECT_NE(profiles.find("Zed"), std::string::npos) << profiles;
    const std::string saved = ReadFile("Data/Save/Zed.Zos");
    EXPECT_GT(saved.size(), 16u) << "the game left for the menu is saved";
    ZoProfileManager reread;
    ASSERT_TRUE(reread.LoadProfiles());
    EXPECT_EQ(reread.ActiveProfileName(), "Zed");
    EXPECT_TRUE(reread.ActiveHasSavedGame());
}

} // namespace
