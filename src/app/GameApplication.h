// This game's application: creates the screens, fonts, sounds, cursor and music while the bar runs.
#pragma once

#include "ZoBaseGameApp.h"

#include <cstdint>

class Game;
class MenuGui;

class GameApplication : public ZoBaseGameApp {
public:
    static constexpr const char* kGameName = "GameWin";
    static constexpr std::int32_t kMainFontId = 0;
    static constexpr const char* kMainFontName = "MainFont";

    GameApplication() = default;
    ~GameApplication() override;

    // Content in the fixed order of start-up; the progress bar runs through 30, 40, 50, 60, 65, 80, 90.
    void CreateContent() override;

    MenuGui* Menu() const;
    // The game screen, registered as "GameWin"; owned by the window manager.
    Game* GameScreen() const { return game_; }
    // After the loop: a game still on screen (the window closed, a quit signal) is saved as the menu
    // button would save it, so it is not lost and no older saved game comes back.
    void SaveGameBeforeQuit();

private:
    Game* game_ = nullptr;
};
