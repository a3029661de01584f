// The game screen ("GameWin"): sets up a mode, runs one game, its HUD, the end panels and the saved game.
#pragma once

#include "AimingGuide.h"
#include "ArcadeMap.h"
#include "AutoPlayer.h"
#include "GameControls.h"
#include "GameMap.h"
#include "Shooter.h"
#include "ZoBaseGame.h"
#include "ZoPanelHost.h"

#include <cstdint>
#include <memory>
#include <string>

class Game : public ZoPanelHost, public ZoBaseGame {
public:
    static constexpr std::int32_t kClassic = 0;
    static constexpr std::int32_t kArcade = 1;
    static constexpr std::int32_t kHudFontId = 1;
    static constexpr const char* kHudFontName = "Digits";
    // Widget and panel names.
    static constexpr const char* kMenuPanel = "GameMenu";
    static constexpr const char* kToMenuButton = "ToMenuBtn";
    static constexpr const char* kGameOverPanel = "GameOverDlg";
    static constexpr const char* kGameOverButton = "GameOverDlg.Menu";
    static constexpr const char* kCompletePanel = "GameCompleteDlg";
    static constexpr const char* kCompleteButton = "GameCompleteDlg.ComplOk";
    static constexpr const char* kPausePanel = "PauseDlg";
    static constexpr const char* kResumeButton = "PauseDlg.Resume";
    static constexpr const char* kPauseMenuButton = "PauseDlg.Menu";
    static constexpr const char* kMenuListener = "MenuWin";
    // A demo hands the screen back after this long, so the menu comes round again.
    static constexpr std::int32_t kDemoLength = 90000;
    static constexpr const char* kLoadFailedMessage = "The saved game could not be loaded.";

    Game();
    ~Game() override;

    // Keys and pads play while nothing lies over the board, then the panels; unused mouse input reaches the
    // launcher only while a game runs. Always true.
    bool OnEvent(ZoInputEvent& event) override;
    // Losing the window pauses a game in play.
    void OnWindowLeft() override;
    void OnActivated() override;
    // Panels, layer, launcher, map; then the end of a won or lost game.
    void Update(std::int32_t elapsed) override;
    // Board, launcher, markers, score, panels.
    void Draw() override;
    // "ToMenuBtn", "GameOverDlg.Menu", "GameCompleteDlg.ComplOk".
    void ProcessCommand() override;

    // Sprites, HUD font, the menu button and the two end panels. False when a picture is missing
    // (the screen still works, without it).
    virtual bool Init();
    // Starts a new game on the current map (set up a mode first).
    virtual void NewGame();
    // Records the map's score in the mode's table under the active player's name.
    virtual void RecordScore();

    // A fresh board of the mode, with its launcher.
    void SetupClassic();
    void SetupArcade();

    // Opens the pause panel over a game in play: nothing moves until it closes. False when nothing is in
    // play.
    bool Pause();
    bool IsPaused() const;
    // A game that plays itself, for the menu when nobody has touched it for a while: any key, click or pad
    // button hands back to the menu, and the players' files are never touched.
    void StartDemo();
    bool IsDemo() const { return demo_; }
    // The player's own game played by the same autoplayer at full speed (soak runs), careless for that
    // percentage of its shots; off again with false.
    void SetAutoPlay(bool on, std::uint32_t seed = 1, int careless = 0);

    // Nothing flies, falls or drops and the launcher is loaded: a running game that can be saved as it is.
    bool IsSettled() const;
    // For a quit request during a game: lets what moves finish (without drawing), then saves as the menu
    // button does. False when no game was running or it ended meanwhile.
    bool SaveBeforeQuit();

    // ZoBaseGame.
    bool HasGame() const override { return map_ != nullptr; }
    bool IsFinished() const override;
    // Empties the saved game; no game runs afterwards.
    void Abandon() override;
    void SetFinished() override;
    // Restores the saved game of the active profile; false (and no game) when it is missing or refused.
    bool Load() override;
    // Writes the saved game of the active profile; false when nothing could be written.
    bool Save() override;

    std::int32_t GameID = kClassic;
    // Written and read by the menu while it asks the player to confirm a new game.
    std::int32_t requestedMode = kClassic;

    GameMap* Map() const { return map_.get(); }
    const AimingGuide* Guide() const { return guide_.get(); }
    Shooter* GetShooter() const { return shooter_.get(); }

private:
    void ResetBoard(std::unique_ptr<GameMap> map, const char* background);
    // A game runs and nothing lies over the board: keys, pads and the mouse play.
    bool Playing() const;
    void Resume();
    void LeaveForMenu();
    void StopDemo();
    void DrawDemoLabel();
    // Records the score, empties the saved game and shows the panel with the final numbers.
    void EndGame(const char* panelName, std::int32_t nextState);
    // The pointer takes the colour of the ball about to be fired.
    void TintCursor();
    void EmptySavedGame();
    // An end panel still fading out must not sit over the next game.
    void DropDialogs();
    void ToMenu(bool menuMusic);
    void ForgetEndAndLeave();

    std::unique_ptr<GameMap> map_;
    std::unique_ptr<Shooter> shooter_;
    // The end of a game is processed once; a menu press waits until the board has settled.
    bool endProcessed_ = false;
    bool leaveRequested_ = false;
    std::int32_t leaveWaited_ = 0;
    GameControls controls_;
    std::unique_ptr<AimingGuide> guide_;
    std::unique_ptr<AutoPlayer> autoPlayer_;
    std::unique_ptr<ZoClip> demoLabel_;
    bool demo_ = false;
    std::int32_t demoTime_ = 0;
    std::int32_t demosShown_ = 0;
};
