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
#include "ZoTimer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

// The running program as a step of a session sees it; notes go to a file the test reads afterwards.
struct Session {
    GameApplication& app;
    std::string& notes;

    MenuGui& Menu() const { return *app.Menu(); }
    // No panel of the menu fading.
    bool Settled() const {
        for (const ZoPanel* panel : Menu().OpenPanels())
            if (panel->state != ZoPanel::Steady)
                return false;
        return true;
    }
    bool Open(const std::string& panel) const {
        const auto& open = Menu().OpenPanels();
        return std::any_of(open.begin(), open.end(), [&](const ZoPanel* p) { return p->name == panel; });
    }
    bool OnMenu() const { return app.WindowManager()->ActiveName() == "MenuWin" && Settled(); }
    bool Playing() const {
        const Game& game = *app.GameScreen();
        return app.WindowManager()->ActiveName() == "GameWin" && game.Map() != nullptr &&
               game.Map()->MapState == GameMap::kReady && !game.GetShooter()->flying;
    }
    // A real click (move, press, release) at a frame point: the window is as large as the frame.
    static void Click(float x, float y) {
        PlatformEvents::InjectMouseMove(static_cast<int>(x), static_cast<int>(y));
        PlatformEvents::InjectMouseButton(1, true, static_cast<int>(x), static_cast<int>(y));
        PlatformEvents::InjectMouseButton(1, false, static_cast<int>(x), static_cast<int>(y));
    }
    static void Click(const ZoPanelHost& host, const std::string& panel, const std::string& widget,
                      float across = 0.0f) {
        const ZoClip& picture = *host.GetPanel(panel)->FindElement(widget)->Image();
        Click(picture.position.x + across * static_cast<float>(picture.Width()), picture.position.y);
    }
    void Note(const std::string& line) const { notes += line + "\n"; }
    void NoteVolumes() const {
        Note(std::to_string(ZoSoundManager::Instance().SoundVolume()) + " " +
             std::to_string(ZoSoundManager::Instance().MusicVolume()));
    }
    void NoteBoard() const {
        std::string cells;
        for (std::int32_t y = 0; y < GameValues().yMax; ++y)
            for (std::int32_t x = 0; x < GameValues().xMax; ++x) {
                const BaseBubble* ball = app.GameScreen()->Map()->Bubble(x, y);
                cells += ball != nullptr ? static_cast<char>('0' + ball->BubbleID) : '.';
            }
        Note(cells);
    }
};

// A step waits until ready() holds (and a few frames since the last step), then acts.
struct Step {
    std::function<bool(const Session&)> ready;
    std::function<void(const Session&)> act;
};

// Runs the program in folder in a child process through the steps; their notes (the volumes at start
// first) go to notesFile. 0 when every step ran.
int RunSession(const std::string& folder, const std::string& notesFile, const std::vector<Step>& steps) {
    return RunChild(
        [&] {
            if (chdir(folder.c_str()) != 0)
                return 90;
            std::string notes;
            std::unique_ptr<Session> session;
            std::size_t step = 0;
            std::uint64_t since = 0;
            // Game time moves 16 ms a frame however fast the frames run, so the intro always ends.
            ZoManualClock clock(1000);
            ZoTimer::Instance().SetClock(clock);
            ZoStartupOptions options;
            options.lockPath = folder + ".lock";
            options.framePacing = false;
            options.beforeRun = [&](GameApplication& app) {
                session = std::make_unique<Session>(Session{app, notes});
                session->NoteVolumes();
            };
            options.afterFrame = [&](ZoBaseApplication& app) {
                clock.Advance(16);
                if (step < steps.size() && app.FramesRun() > since + 5 && steps[step].ready(*session)) {
                    steps[step++].act(*session);
                    since = app.FramesRun();
                }
                if (app.FramesRun() == 5000) {
                    std::fprintf(stderr, "  stopped before step %zu\n", step);
                    PlatformEvents::InjectClose();
                }
            };
            ZoStartup::Run(options);
            WriteBytes(notesFile, notes);
            return step == steps.size() ? 0 : 1;
        },
        120);
}

std::vector<std::string> Lines(const std::string& path) {
    std::istringstream text(ReadBytes(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

TEST(Restart, ContinueBringsBackTheGameAndTheVolumesSetBeforeTheRestartAreApplied) {
    const std::string folder = MakeGameFolder("restart");
    ASSERT_FALSE(folder.empty()) << "build the gamedata target";
    WriteBytes(folder + "/Data/ZoConfig.Cfg", "MusicVolume=100\r\nSoundVolume=100\r\nWindowed=1\r\n");
    WriteBytes(folder + "/Data/Profiles.Txt", "ActiveProfile=0\r\nPlayerName0=\"Ann\"\r\n");
    const auto always = [](const Session&) { return true; };
    const auto onMenu = [](const Session& s) { return s.OnMenu(); };
    const auto playing = [](const Session& s) { return s.Playing(); };
    const auto options = [](const Session& s) { return s.Settled() && s.Open("OptionsDlg"); };
    // First start: both sliders moved in the options dialog, one shot of a Classic game, back to the menu.
    ASSERT_EQ(RunSession(folder, folder + "/first.txt",
                         {{onMenu, [](const Session& s) { s.Click(s.Menu(), "MainMenuDlg", "MainMenuDlg.Options"); }},
                          // One click a frame: a listener keeps one pending command.
                          {options, [](const Session& s) { s.Click(s.Menu(), "OptionsDlg", "OptionsDlg.SoundSlider", -0.25f); }},
                          {options, [](const Session& s) { s.Click(s.Menu(), "OptionsDlg", "OptionsDlg.MusicSlider", 0.25f); }},
                          {always,
                           [](const Session& s) {
                               s.NoteVolumes();
                               s.Click(s.Menu(), "OptionsDlg", "OptionsDlg.Ok");
                           }},
                          {onMenu, [](const Session& s) { s.Click(s.Menu(), "MainMenuDlg", "MainMenuDlg.Classic"); }},
                          {playing, [](const Session& s) { s.Click(400.0f, 200.0f); }},
                          {playing,
                           [](const Session& s) {
                               s.NoteBoard();
                               s.Click(*s.app.GameScreen(), Game::kMenuPanel, Game::kToMenuButton);
                           }},
                          {onMenu,
                           [](const Session& s) {
                               s.Note(s.app.ContinueButton()->disabled ? "no continue" : "continue");
                               s.Click(s.Menu(), "MainMenuDlg", "MainMenuDlg.Exit");
                           }}}),
              0);
    // Second start, a new process: Continue, and the board as it was left.
    ASSERT_EQ(RunSession(folder, folder + "/second.txt",
                         {{onMenu, [](const Session& s) { s.Click(s.Menu(), "MainMenuDlg", "MainMenuDlg.Continue"); }},
                          {playing,
                           [](const Session& s) {
                               s.NoteBoard();
                               PlatformEvents::InjectClose();
                           }}}),
              0);
    const std::vector<std::string> first = Lines(folder + "/first.txt"), second = Lines(folder + "/second.txt");
    ASSERT_EQ(first.size(), 4u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_NE(first[1], first[0]) << "the sliders did not move the volumes";
    EXPECT_EQ(second[0], first[1]) << "the volumes at the next start";
    EXPECT_EQ(first[3], "continue");
    EXPECT_NE(first[2].find_first_not_of('.'), std::string::npos);
    EXPECT_EQ(second[1], first[2]) << "the board after Continue";
}

} // namespace
