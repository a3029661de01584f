// The menu screen: its dialogs and their commands, and the little launcher creature that fires balls.
#pragma once

#include "BaseBubble.h"
#include "BubbleDestroy.h"
#include "ZoBaseMenuGui.h"
#include "ZoClip.h"

#include <cstdint>
#include <memory>
#include <vector>

class Game;

class MenuGui : public ZoBaseMenuGui {
public:
    static constexpr const char* kGameName = "GameWin";
    static constexpr float kLauncherX = 720.0f;
    static constexpr float kLauncherY = 520.0f;
    // Untouched this long, the bare main menu shows a game playing itself.
    static constexpr std::int32_t kDemoDelay = 30000;

    MenuGui();
    ~MenuGui() override;

    bool OnEvent(ZoInputEvent& event) override;
    void Update(std::int32_t elapsed) override;
    // The greeting, then the panels with the launcher and its balls between the root and the dialogs.
    void Draw() override;
    void DrawDecoration() override;
    void ProcessCommand() override;
    void OnActivated() override;
    virtual void ContinueGame();

    // The game screen registered as "GameWin", or null before it is.
    Game* GameScreen() const;

    struct FlyingBall {
        std::unique_ptr<BaseBubble> ball;
        std::int32_t lifeTime = 0;
    };

    std::unique_ptr<BaseBubble> currentBall;
    std::unique_ptr<BaseBubble> nextBall;
    ZoVector aim{45.0f, 45.0f, 0.0f};
    std::unique_ptr<ZoClip> launcher;
    std::unique_ptr<ZoClip> grass;
    std::vector<FlyingBall> flyingBalls;
    std::vector<std::unique_ptr<BubbleDestroy>> bursts;
    // How long the bare main menu has gone without input.
    std::int32_t idleTime = 0;

private:
    // Only the main menu is open, and it is not fading.
    bool LauncherFree() const;
    void StartMode(std::int32_t mode);
    void StartGameMusic();
    void StartDemo();
    void Fire();
    std::unique_ptr<BaseBubble> RandomBall() const;
    bool HandleOptionsCommand(const std::string& command);
    bool HandleProfileCommand(const std::string& command);
    bool HandleScoreCommand(const std::string& command);
};
