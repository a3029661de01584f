// A player's session across two starts of the program: a Classic game left for the menu comes back with
// Continue, and the volumes set in the options dialog are the ones the sound starts with.
#include "Game.h"
#include "GameApplication.h"
#include "GameGlobals.h"
#include "GameMap.h"
#include "MenuGui.h"
#include "PlatformEvents.h"
#include "Shooter.h"
#include "TestFiles.h"
#include "ZoSoundManager.h"
#include "ZoStartup.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

bool Settled(const ZoPanelHost& host) {
    for (const ZoPanel* panel : host.OpenPanels())
        if (panel->state != ZoPanel::Steady)
            return false;
    return true;
}

ZoBaseGuiElemen& Widget(const ZoPanelHost& host, const std::string& panel, const std::string& name) {
    return *host.GetPanel(panel)->FindElement(name);
}

// A real click (move, press, release) at a frame point; the window is as large as the frame.
void Click(float x, float y) {
    PlatformEvents::InjectMouseMove(static_cast<int>(x), static_cast<int>(y));
    PlatformEvents::InjectMouseButton(1, true, static_cast<int>(x), static_cast<int>(y));
    PlatformEvents::InjectMouseButton(1, false, static_cast<int>(x), static_cast<int>(y));
}
void Click(ZoBaseGuiElemen& widget) {
    Click(widget.Image()->position.x, widget.Image()->position.y);
}

// The board as text, '.' for an empty cell.
std::string Board(const GameMap& map) {
    std::string cells;
    for (std::int32_t y = 0; y < GameValues().yMax; ++y)
        for (std::int32_t x = 0; x < GameValues().xMax; ++x)
            cells += map.Bubble(x, y) != nullptr ? static_cast<char>('0' + map.Bubble(x, y)->BubbleID) : '.';
    return cells;
}

std::string Volumes() {
    return std::to_string(ZoSoundManager::Instance().SoundVolume()) + " " +
           std::to_string(ZoSoundManager::Instance().MusicVolume());
}

// Runs the program in folder in a child process. Each frame, script(application, frames since the last step)
// returns true when its step is done; the child writes what the script put into `notes` to notesFile and
// fails when the script did not reach its end.
int RunSession(const std::string& folder, const std::string& notesFile,
               const std::function<bool(GameApplication&, int step, std::uint64_t waited, std::string& notes)>& script,
               int steps) {
    return RunChild([&] {
        if (chdir(folder.c_str()) != 0)
            return 90;
        GameApplication* application = nullptr;
        int step = 0;
        std::uint64_t since = 0;
        std::string notes;
        ZoStartupOptions options;
        options.lockPath = folder + ".lock";
        options.framePacing = false;
        options.beforeRun = [&](GameApplication& app) {
            application = &app;
            notes += Volumes() + "\n";
        };
        options.afterFrame = [&](ZoBaseApplication& app) {
            if (step < steps && script(*application, step, app.FramesRun() - since, notes)) {
                ++step;
                since = app.FramesRun();
            }
            if (app.FramesRun() == 5000) {
                std::fprintf(stderr, "  stopped at step %d\n", step);
                PlatformEvents::InjectClose();
            }
        };
        ZoStartup::Run(options);
        WriteBytes(notesFile, notes);
        return step == steps ? 0 : 1;
    }, 120);
}

TEST(Restart, ContinueBringsBackTheGameAndTheVolumesSetBeforeTheRestartAreApplied) {
    const std::string folder = MakeGameFolder("restart");
    ASSERT_FALSE(folder.empty()) << "build the gamedata target";
    WriteBytes(folder + "/Data/ZoConfig.Cfg", "MusicVolume=100\r\nSoundVolume=100\r\nWindowed=1\r\n");
    WriteBytes(folder + "/Data/Profiles.Txt", "ActiveProfile=0\r\nPlayerName0=\"Ann\"\r\n");

    // First start: the sliders moved in the options dialog, one shot of a Classic game, back to the menu.
    ASSERT_EQ(RunSession(folder, folder + "/first.txt",
                         [](GameApplication& app, int step, std::uint64_t waited, std::string& notes) {
                             MenuGui& menu = *app.Menu();
                             Game& game = *app.GameScreen();
                             const bool onMenu = app.WindowManager()->ActiveName() == "MenuWin" && Settled(menu);
                             const bool ready = app.WindowManager()->ActiveName() == "GameWin" && game.Map() &&
                                                game.Map()->MapState == GameMap::kReady && !game.GetShooter()->flying;
                             switch (step) {
                             case 0:
                                 return onMenu && waited > 5 && (Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Options")), true);
                             case 1: {
                                 if (!Settled(menu) || !menu.GetPanel("OptionsDlg") || waited < 5)
                                     return false;
                                 for (const auto& [name, side] : {std::pair{"SoundSlider", -1}, std::pair{"MusicSlider", 1}}) {
                                     ZoBaseGuiElemen& slider = Widget(menu, "OptionsDlg", std::string("OptionsDlg.") + name);
                                     Click(slider.Image()->position.x + side * slider.Image()->Width() / 4.0f,
                                           slider.Image()->position.y);
                                 }
                                 return true;
                             }
                             case 2:
                                 notes += Volumes() + "\n";
                                 Click(Widget(menu, "OptionsDlg", "OptionsDlg.Ok"));
                                 return true;
                             case 3:
                                 return onMenu && waited > 5 && (Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Classic")), true);
                             case 4:
                                 return ready && waited > 30 && (Click(400.0f, 200.0f), true);
                             case 5:
                                 if (!ready || waited < 10)
                                     return false;
                                 notes += Board(*game.Map()) + "\n";
                                 Click(Widget(game, Game::kMenuPanel, Game::kToMenuButton));
                                 return true;
                             default:
                                 if (!onMenu || waited < 5)
                                     return false;
                                 notes += app.ContinueButton()->disabled ? "no continue\n" : "continue\n";
                                 Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Exit"));
                                 return true;
                             }
                         },
                         7),
              0);
    // Second start, a new process: Continue, and the board as it was left.
    ASSERT_EQ(RunSession(folder, folder + "/second.txt",
                         [](GameApplication& app, int step, std::uint64_t waited, std::string& notes) {
                             Game& game = *app.GameScreen();
                             if (step == 0)
                                 return Settled(*app.Menu()) && waited > 5 &&
                                        (Click(Widget(*app.Menu(), "MainMenuDlg", "MainMenuDlg.Continue")), true);
                             if (app.WindowManager()->ActiveName() != "GameWin" || !game.Map() ||
                                 game.Map()->MapState != GameMap::kReady || waited < 30)
                                 return false;
                             notes += Board(*game.Map()) + "\n";
                             PlatformEvents::InjectClose();
                             return true;
                         },
                         2),
              0);
    std::istringstream first(ReadBytes(folder + "/first.txt")), second(ReadBytes(folder + "/second.txt"));
    std::string startVolumes, setVolumes, leftBoard, continueShown, appliedVolumes, continuedBoard;
    std::getline(first, startVolumes), std::getline(first, setVolumes), std::getline(first, leftBoard);
    std::getline(first, continueShown);
    std::getline(second, appliedVolumes), std::getline(second, continuedBoard);
    EXPECT_EQ(startVolumes, "100 100");
    EXPECT_NE(setVolumes, startVolumes) << "the sliders did not move";
    EXPECT_EQ(appliedVolumes, setVolumes);
    EXPECT_EQ(continueShown, "continue");
    EXPECT_NE(leftBoard.find_first_not_of('.'), std::string::npos);
    EXPECT_EQ(continuedBoard, leftBoard);
}

} // namespace
