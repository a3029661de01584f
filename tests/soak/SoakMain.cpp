// The soak run: `korrik-soak DATA_FOLDER GAMES [SEED]` starts the whole game headless in a scratch folder
// and lets its autoplayer play GAMES games to their end, while the players leave and continue at random
// moments, pause, switch players, add players, change the difficulty and close the game. After every step
// each file the game keeps must read back as valid. Prints what it did, the time taken and the peak memory;
// exits 1 at the first damaged file.
#include "Game.h"
#include "GameApplication.h"
#include "MenuGui.h"
#include "SavedGame.h"
#include "ZoCheckBoxGroup.h"
#include "ZoClock.h"
#include "ZoProfileManager.h"
#include "ZoStartup.h"
#include "ZoTextTree.h"
#include "ZoTimer.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Counts {
    int games = 0, won = 0, leaves = 0, continues = 0, switches = 0, added = 0, pauses = 0, restarts = 0,
        difficulty = 0;
};

class Soak {
public:
    Soak(int games, unsigned seed) : target_(games), random_(seed) {}

    // One life of the program: plays until the target is reached or it is time to close and start again.
    void Run(GameApplication& app) {
        app_ = &app;
        const int closeAfter = counts_.games + 1 + Pick(6);
        while (counts_.games < target_ && counts_.games < closeAfter && !failed_) {
            if (app.WindowManager()->ActiveName() == GameApplication::kGameName)
                PlayAWhile();
            else
                ChooseOnTheMenu();
            Check();
        }
        ++counts_.restarts;
    }

    bool Done() const { return counts_.games >= target_ || failed_; }
    bool Failed() const { return failed_; }
    const Counts& Tally() const { return counts_; }
    ZoManualClock clock{1000};

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    Game& TheGame() const { return *app_->GameScreen(); }
    MenuGui& Menu() const { return *app_->Menu(); }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            clock.Advance(16);
            app_->PrepareFrame();
            app_->UpdateFrame();
        }
    }
    void Send(std::uint32_t message, std::uint32_t wParam, std::uint32_t at = 0) {
        app_->WindowProcedure(PlatformMessage{message, wParam, at});
    }
    void Key(std::uint8_t code) {
        Send(PlatformMessageCode::kKeyDown, code);
        Send(PlatformMessageCode::kChar, code);
        Send(PlatformMessageCode::kKeyUp, code);
        Frames(2);
    }
    // A click at the widget's centre once its dialog stands still, as a player makes it.
    void Click(const ZoBaseGuiElemen* widget) {
        Frames(20);
        if (widget == nullptr || widget->Image() == nullptr)
            return;
        const ZoVector at = widget->Image()->position;
        const auto lParam = static_cast<std::uint32_t>(at.x) | (static_cast<std::uint32_t>(at.y) << 16);
        for (std::uint32_t message :
             {PlatformMessageCode::kMouseMove, PlatformMessageCode::kLeftDown, PlatformMessageCode::kLeftUp})
            Send(message, 0, lParam);
        Frames(2);
    }
    const ZoBaseGuiElemen* Widget(ZoPanelHost& screen, const std::string& panel,
                                  const std::string& name) const {
        const ZoPanel* found = screen.GetPanel(panel);
        return found != nullptr ? found->FindElement(name) : nullptr;
    }
    bool Open(ZoPanelHost& screen, const std::string& panel) const {
        for (const ZoPanel* open : screen.OpenPanels())
            if (open->name == panel)
                return true;
        return false;
    }

    void PlayAWhile() {
        Game& game = TheGame();
        // Some players are better than others: games are won and lost.
        game.SetAutoPlay(true, static_cast<std::uint32_t>(random_()), Pick(5) * 20);
        // Up to two minutes of play, unless the game ends first.
        const int frames = 60 + Pick(7500);
        for (int i = 0; i < frames && !game.IsFinished(); i += 30)
            Frames(30);
        if (game.IsFinished()) {
            ++counts_.games;
            counts_.won += Open(game, Game::kCompletePanel) ? 1 : 0;
            Click(Widget(game, Open(game, Game::kCompletePanel) ? Game::kCompletePanel : Game::kGameOverPanel,
                         Open(game, Game::kCompletePanel) ? Game::kCompleteButton : Game::kGameOverButton));
            std::printf("game %d over\n", counts_.games);
            std::fflush(stdout);
        } else if (Pick(3) == 0) {
            ++counts_.pauses;
            Key(Pick(2) == 0 ? 27 : 'P');
            Click(Widget(game, Game::kPausePanel, Game::kPauseMenuButton));
            ++counts_.leaves;
        } else if (Pick(4) > 0) {
            Click(Widget(game, Game::kMenuPanel, Game::kToMenuButton));
            ++counts_.leaves;
        } else {
            return; // closed while playing: the game saves itself on the way out
        }
        // A game left mid-drop settles first.
        for (int i = 0; i < 700 && app_->WindowManager()->ActiveName() == GameApplication::kGameName; i += 10)
            Frames(10);
    }

    void ChooseOnTheMenu() {
        MenuGui& menu = Menu();
        const ZoBaseGuiElemen* continueButton = Widget(menu, "MainMenuDlg", "MainMenuDlg.Continue");
        switch (Pick(8)) {
        case 0:
            SwitchPlayer();
            return;
        case 1:
            ChangeDifficulty();
            return;
        case 2:
        case 3:
            if (continueButton != nullptr && !continueButton->disabled) {
                ++counts_.continues;
                Click(continueButton);
                return;
            }
            break;
        default:
            break;
        }
        Click(Widget(menu, "MainMenuDlg", Pick(2) == 0 ? "MainMenuDlg.Classic" : "MainMenuDlg.Arcade"));
        if (Open(menu, "ConfirmGameDlg")) {
            const bool continues = Pick(2) == 0;
            counts_.continues += continues ? 1 : 0;
            Click(
                Widget(menu, "ConfirmGameDlg", continues ? "ConfirmGameDlg.Continue" : "ConfirmGameDlg.Ok"));
        }
    }

    void SwitchPlayer() {
        MenuGui& menu = Menu();
        Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Profile"));
        const ZoPanel* players = menu.GetPanel("ProfileDlg");
        const ZoBaseGuiElemen* add = Widget(menu, "ProfileDlg", "ProfileDlg.Add");
        if (Pick(4) == 0 && add != nullptr && !add->disabled) {
            ++counts_.added;
            Click(add);
            const std::string name = "Player" + std::to_string(counts_.added);
            for (char c : name) {
                Send(PlatformMessageCode::kKeyDown, static_cast<std::uint32_t>(std::toupper(c)));
                Send(PlatformMessageCode::kChar, static_cast<std::uint8_t>(c));
            }
            Key(13);
        } else {
            std::vector<const ZoBaseGuiElemen*> buttons;
            for (const auto& widget : players->Widgets())
                if (widget->kind == ZoBaseGuiElemen::kKindProfileButton)
                    buttons.push_back(widget.get());
            Click(buttons.empty()
                      ? nullptr
                      : buttons[static_cast<std::size_t>(Pick(static_cast<int>(buttons.size())))]);
        }
        ++counts_.switches;
        Click(Widget(menu, "ProfileDlg", "ProfileDlg.Ok"));
        Frames(20);
    }

    void ChangeDifficulty() {
        MenuGui& menu = Menu();
        ++counts_.difficulty;
        Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Options"));
        for (const auto& widget : menu.GetPanel("OptionsDlg")->Widgets())
            if (auto* group = dynamic_cast<const ZoCheckBoxGroup*>(widget.get()))
                Click(group->Boxes()[static_cast<std::size_t>(Pick(3))].get());
        if (Open(menu, "DiffChangeDlg"))
            Click(Widget(menu, "DiffChangeDlg", Pick(2) == 0 ? "DiffChangeDlg.Ok" : "DiffChangeDlg.Cancel"));
        Click(Widget(menu, "OptionsDlg", "OptionsDlg.Ok"));
        Frames(20);
    }

    // Every file the game keeps reads back: text trees parse, saved games load or are empty.
    void Check() {
        for (const auto& entry : fs::recursive_directory_iterator("Data")) {
            const std::string path = entry.path().string();
            if (!entry.is_regular_file() || path.find(".Zor") != std::string::npos)
                continue;
            bool valid = true;
            if (entry.path().extension() == ".Zos") {
                SavedGame saved;
                valid = entry.file_size() == 0 || saved.Read(path);
            } else {
                ZoTextTree tree;
                valid = tree.LoadFile(path) == 0;
            }
            if (!valid) {
                std::fprintf(stderr, "soak: %s does not read back after game %d\n", path.c_str(),
                             counts_.games);
                failed_ = true;
            }
        }
    }

    int target_;
    std::mt19937 random_;
    GameApplication* app_ = nullptr;
    Counts counts_;
    bool failed_ = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: korrik-soak DATA_FOLDER GAMES [SEED]\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const fs::path data = fs::absolute(argv[1]);
    const fs::path folder = fs::temp_directory_path() / ("korrik-soak-" + std::to_string(getpid()));
    fs::create_directories(folder / "Data");
    for (const char* archive : {"Resource.Zor", "Lang.Zor"})
        fs::create_symlink(data / archive, folder / "Data" / archive);
    fs::current_path(folder);
    std::FILE* players = std::fopen("Data//Profiles.Txt", "w");
    std::fputs("ActiveProfile=0\nPlayerName0=\"Ann\"\nPlayerName1=\"Bob\"\n", players);
    std::fclose(players);

    Soak soak(std::atoi(argv[2]), argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1u);
    ZoTimer::Instance().SetClock(soak.clock);
    const auto started = std::chrono::steady_clock::now();
    while (!soak.Done()) {
        ZoStartupOptions options;
        options.lockPath = "lock";
        options.framePacing = false;
        bool done = false;
        options.afterFrame = [&](ZoBaseApplication& app) {
            if (std::exchange(done, true))
                return;
            soak.Run(dynamic_cast<GameApplication&>(app));
            app.RequestQuit();
        };
        ZoStartup::Run(options);
    }
    ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const Counts& t = soak.Tally();
    std::printf(
        "soak: %d games (%d won), %d leaves, %d continues, %d pauses, %d player switches (%d added), %d "
        "difficulty changes, %d starts in %.0f s; peak memory %.1f MB\n",
        t.games, t.won, t.leaves, t.continues, t.pauses, t.switches, t.added, t.difficulty, t.restarts,
        seconds, static_cast<double>(usage.ru_maxrss) / 1024.0);
    fs::current_path(data);
    fs::remove_all(folder);
    return soak.Failed() ? 1 : 0;
}
