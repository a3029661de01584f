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
#include "ZoStartup.h"
#include "ZoTextTree.h"
#include "ZoTimer.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Soak {
    int target;
    std::mt19937 random;
    ZoManualClock clock{1000};
    GameApplication* app = nullptr;
    bool failed = false;
    int games = 0, won = 0, leaves = 0, continues = 0, switches = 0, added = 0, pauses = 0, starts = 0,
        difficulty = 0;

    bool Done() const { return games >= target || failed; }

    // One life of the program: plays until the target is reached or it is time to close and start again.
    void Run(GameApplication& started) {
        app = &started;
        ++starts;
        const int closeAfter = games + 1 + Pick(6);
        while (games < closeAfter && !Done()) {
            if (app->WindowManager()->ActiveName() == GameApplication::kGameName)
                PlayAWhile();
            else
                ChooseOnTheMenu();
            Check();
        }
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    Game& TheGame() const { return *app->GameScreen(); }
    MenuGui& Menu() const { return *app->Menu(); }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            clock.Advance(16);
            app->PrepareFrame();
            app->UpdateFrame();
        }
    }
    void Send(std::uint32_t message, std::uint32_t wParam, std::uint32_t at = 0) {
        app->WindowProcedure(PlatformMessage{message, wParam, at});
    }
    void Key(std::uint8_t code) {
        for (std::uint32_t message :
             {PlatformMessageCode::kKeyDown, PlatformMessageCode::kChar, PlatformMessageCode::kKeyUp})
            Send(message, code);
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
    static const ZoBaseGuiElemen* Widget(ZoPanelHost& screen, const std::string& panel,
                                         const std::string& name) {
        const ZoPanel* found = screen.GetPanel(panel);
        return found != nullptr ? found->FindElement(name) : nullptr;
    }
    static bool Open(ZoPanelHost& screen, const std::string& panel) {
        const auto& open = screen.OpenPanels();
        return std::find(open.begin(), open.end(), screen.GetPanel(panel)) != open.end();
    }

    void PlayAWhile() {
        Game& game = TheGame();
        // Some players are better than others: games are won and lost.
        game.SetAutoPlay(true, static_cast<std::uint32_t>(random()), Pick(5) * 20);
        // Up to two minutes of play, unless the game ends first.
        const int frames = 60 + Pick(7500);
        for (int i = 0; i < frames && !game.IsFinished(); i += 30)
            Frames(30);
        if (game.IsFinished()) {
            const bool complete = Open(game, Game::kCompletePanel);
            ++games;
            won += complete ? 1 : 0;
            Click(complete ? Widget(game, Game::kCompletePanel, Game::kCompleteButton)
                           : Widget(game, Game::kGameOverPanel, Game::kGameOverButton));
            std::printf("game %d over\n", games);
            std::fflush(stdout);
        } else if (Pick(3) == 0) {
            ++pauses;
            ++leaves;
            const int how = Pick(3);
            if (how == 2) { // the player looks at another window for a moment
                Send(PlatformMessageCode::kActivate, 0);
                Send(PlatformMessageCode::kActivate, 1);
            } else {
                Key(how == 0 ? 27 : 'P');
            }
            Click(Widget(game, Game::kPausePanel, Game::kPauseMenuButton));
        } else if (Pick(4) > 0) {
            ++leaves;
            Click(Widget(game, Game::kMenuPanel, Game::kToMenuButton));
        } else {
            return; // closed while playing: the game saves itself on the way out
        }
        // A game left mid-drop settles first.
        for (int i = 0; i < 700 && app->WindowManager()->ActiveName() == GameApplication::kGameName; i += 10)
            Frames(10);
    }

    void ChooseOnTheMenu() {
        MenuGui& menu = Menu();
        const ZoBaseGuiElemen* continueButton = Widget(menu, "MainMenuDlg", "MainMenuDlg.Continue");
        const int choice = Pick(8);
        if (choice == 0)
            return SwitchPlayer();
        if (choice == 1)
            return ChangeDifficulty();
        if (choice < 4 && continueButton != nullptr && !continueButton->disabled) {
            ++continues;
            return Click(continueButton);
        }
        Click(Widget(menu, "MainMenuDlg", Pick(2) == 0 ? "MainMenuDlg.Classic" : "MainMenuDlg.Arcade"));
        if (Open(menu, "ConfirmGameDlg")) {
            const bool continued = Pick(2) == 0;
            continues += continued ? 1 : 0;
            Click(
                Widget(menu, "ConfirmGameDlg", continued ? "ConfirmGameDlg.Continue" : "ConfirmGameDlg.Ok"));
        }
    }

    void SwitchPlayer() {
        MenuGui& menu = Menu();
        Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Profile"));
        const ZoBaseGuiElemen* add = Widget(menu, "ProfileDlg", "ProfileDlg.Add");
        if (Pick(4) == 0 && add != nullptr && !add->disabled) {
            Click(add);
            for (char c : "Player" + std::to_string(++added)) {
                Send(PlatformMessageCode::kKeyDown, static_cast<std::uint32_t>(std::toupper(c)));
                Send(PlatformMessageCode::kChar, static_cast<std::uint8_t>(c));
            }
            Key(13);
        } else {
            std::vector<const ZoBaseGuiElemen*> buttons;
            for (const auto& widget : menu.GetPanel("ProfileDlg")->Widgets())
                if (widget->kind == ZoBaseGuiElemen::kKindProfileButton)
                    buttons.push_back(widget.get());
            if (!buttons.empty())
                Click(buttons[static_cast<std::size_t>(Pick(static_cast<int>(buttons.size())))]);
        }
        ++switches;
        Click(Widget(menu, "ProfileDlg", "ProfileDlg.Ok"));
    }

    void ChangeDifficulty() {
        MenuGui& menu = Menu();
        ++difficulty;
        Click(Widget(menu, "MainMenuDlg", "MainMenuDlg.Options"));
        for (const auto& widget : menu.GetPanel("OptionsDlg")->Widgets())
            if (auto* group = dynamic_cast<const ZoCheckBoxGroup*>(widget.get()))
                Click(group->Boxes()[static_cast<std::size_t>(Pick(3))].get());
        if (Open(menu, "DiffChangeDlg"))
            Click(Widget(menu, "DiffChangeDlg", Pick(2) == 0 ? "DiffChangeDlg.Ok" : "DiffChangeDlg.Cancel"));
        Click(Widget(menu, "OptionsDlg", "OptionsDlg.Ok"));
    }

    // Every file the game keeps reads back and holds what the game writes: saved games load or are empty,
    // tables keep at most ten scores best first, one of the players is the active one.
    static bool Valid(const fs::path& file) {
        if (file.extension() == ".Zos") {
            SavedGame saved;
            return fs::file_size(file) == 0 || saved.Read(file.string());
        }
        ZoTextTree tree;
        if (tree.LoadFile(file.string()) != 0)
            return false;
        if (file.extension() == ".Zot") {
            const int count = tree.GetInt("NumRecords", -1);
            int last = INT32_MAX;
            for (int i = 0; i < count; ++i) {
                const int score = tree.GetInt(std::to_string(i) + ".Scores", 0);
                if (score <= 0 || score > last)
                    return false;
                last = score;
            }
            return count >= 0 && count <= 10;
        }
        return file.filename() != "Profiles.Txt" ||
               tree.Has("PlayerName" + std::to_string(tree.GetInt("ActiveProfile", -1)));
    }

    void Check() {
        for (const auto& entry : fs::recursive_directory_iterator("Data")) {
            if (!entry.is_regular_file() || entry.path().extension() == ".Zor" || Valid(entry.path()))
                continue;
            std::fprintf(stderr, "soak: %s does not read back after game %d\n", entry.path().c_str(), games);
            failed = true;
        }
    }
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

    Soak soak{std::atoi(argv[2]), std::mt19937(argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1u)};
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
    std::printf("soak: %d games (%d won), %d leaves (%d through the pause), %d continues, %d player switches "
                "(%d added), %d difficulty changes, %d starts in %.0f s; peak memory %.1f MB\n",
                soak.games, soak.won, soak.leaves, soak.pauses, soak.continues, soak.switches, soak.added,
                soak.difficulty, soak.starts, seconds, static_cast<double>(usage.ru_maxrss) / 1024.0);
    fs::current_path(data);
    fs::remove_all(folder);
    return soak.failed ? 1 : 0;
}
