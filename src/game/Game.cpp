#include "Game.h"

#include "GameCompletePanel.h"
#include "GameSprites.h"
#include "SavedGame.h"
#include "ZoBitmapFont.h"
#include "ZoButton.h"
#include "ZoCursorSprite.h"
#include "ZoDialogPanel.h"
#include "ZoLanguage.h"
#include "ZoProfileManager.h"
#include "ZoShowError.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"
#include "ZoWindowManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The menu button's place on the game screen, in percent of the screen (it sits at (80, 566)).
constexpr float kMenuButtonX = 10.0f;
constexpr float kMenuButtonY = 566.0f / 6.0f;
// The end panels' OK button, in percent of the panel picture.
constexpr float kEndButtonX = 50.0f;
constexpr float kEndButtonY = 87.0f;
constexpr std::int32_t kMenuPlayList = 0;
// Leaving or quitting waits for a shot, falling balls and line drops to finish: about a second, never more
// than this much game time.
constexpr std::int32_t kSettleLimit = 10000;
constexpr std::int32_t kSettleStep = 16;
// The pause panel's buttons, in percent of its picture.
constexpr float kPauseButtonY = 76.0f;
constexpr float kResumeX = 30.0f;
constexpr float kPauseMenuX = 70.0f;
// The demo's label sits over the game's hints at the right of the board.
constexpr float kDemoLabelX = 709.0f;
constexpr float kDemoLabelY = 196.0f;

ZoSoundManager& GameSoundManager() {
    ZoSoundManager* output = GameValues().soundOutput;
    return output != nullptr ? *output : ZoSoundManager::Instance();
}

} // namespace

Game::Game() {
    GameValues().GameState = 3;
}

Game::~Game() {
    // The layer must not keep drawing a background or balls that go with the map.
    ZoSpriteLayer& layer = GameSprites::Instance().Layer();
    if (map_ != nullptr && layer.Overlay() == map_->Background()) {
        layer.SetOverlay(nullptr);
    }
    map_.reset();
    shooter_.reset();
}

bool Game::Init() {
    GameSprites::Instance().LoadSprites();
    auto digits = std::make_unique<ZoBitmapFont>();
    bool complete = digits->LoadFont(kHudFontName);
    ZoFontRegistry::Instance().Register(kHudFontId, std::move(digits));

    auto menu = std::make_unique<ZoPanel>();
    ZoButton* toMenu =
        menu->AddButton("Interface/Menu", kMenuButtonX, kMenuButtonY, kToMenuButton, ZoPanel::kRolePlain);
    complete = complete && toMenu != nullptr && toMenu->image != nullptr;
    AddPanel(kMenuPanel, std::move(menu));

    struct EndPanel {
        const char* name;
        const char* picture;
        const char* button;
    };
    for (const EndPanel& end : {EndPanel{kGameOverPanel, "Interface/GameOverDlg", kGameOverButton},
                                EndPanel{kCompletePanel, "Interface/GameComplDlg", kCompleteButton}}) {
        auto panel = std::make_unique<GameCompletePanel>();
        complete = panel->Create(end.picture) && complete;
        panel->SetTitleFont(kHudFontId);
        panel->SetMessageFont(0);
        panel->AddButton("Interface/BtnOk", kEndButtonX, kEndButtonY, end.button, ZoPanel::kRoleDefault);
        AddPanel(end.name, std::move(panel));
    }
    auto pause = std::make_unique<ZoDialogPanel>();
    complete = pause->Create("Interface/PauseDlg") && complete;
    pause->SetMessageFont(0);
    pause->SetMessage(ZoLanguage::Instance().GetText("PauseHint"));
    // Escape, Return and the pad's B and A all play on; the menu is one deliberate step away.
    pause->defaultButton =
        pause->AddButton("Interface/Resume", kResumeX, kPauseButtonY, kResumeButton, ZoPanel::kRoleCancel);
    pause->AddButton("Interface/Menu", kPauseMenuX, kPauseButtonY, kPauseMenuButton, ZoPanel::kRolePlain);
    AddPanel(kPausePanel, std::move(pause));

    guide_ = std::make_unique<AimingGuide>();
    demoLabel_ = std::make_unique<ZoClip>();
    complete = demoLabel_->Load("Interface/DemoLabel", false) && complete;
    demoLabel_->Animation().Setup(1, AnimNone, 1, 1);
    OpenPanel(kMenuPanel);
    return complete;
}

void Game::SetupClassic() {
    GameID = kClassic;
    ResetBoard(std::make_unique<GameMap>(), "GameBgr");
}

void Game::SetupArcade() {
    GameID = kArcade;
    ResetBoard(std::make_unique<ArcadeMap>(), "GameBgr1");
}

void Game::ResetBoard(std::unique_ptr<GameMap> map, const char* background) {
    ZoSpriteLayer& layer = GameSprites::Instance().Layer();
    layer.Clear();
    layer.SetOverlay(nullptr);
    shooter_.reset();
    map_ = std::move(map);
    map_->SetLayer(&layer);
    map_->LoadBackground(background);
    shooter_ = std::make_unique<Shooter>();
    shooter_->Setup();
    shooter_->SetMap(map_.get());
    map_->SetShooter(shooter_.get());
    map_->ComputeWalls();
}

void Game::NewGame() {
    GameValues().GameState = 0;
    ForgetEndAndLeave();
    DropDialogs();
    controls_.Release();
    GameSprites::Instance().Layer().Clear();
    if (shooter_ != nullptr) {
        shooter_->Reset(); // a shot of the last game may still be in the air
    }
    if (map_ != nullptr) {
        map_->Reset(true);
    }
}

void Game::DropDialogs() {
    for (const char* name : {kGameOverPanel, kCompletePanel, kPausePanel}) {
        ZoPanel* panel = GetPanel(name);
        if (panel != nullptr) {
            openPanels.erase(std::remove(openPanels.begin(), openPanels.end(), panel), openPanels.end());
            panel->state = ZoPanel::Steady;
        }
    }
}

void Game::ForgetEndAndLeave() {
    endProcessed_ = false;
    leaveRequested_ = false;
    leaveWaited_ = 0;
}

bool Game::Playing() const {
    // A pause panel fading out lies over the board no more.
    const ZoPanel* top = TopPanel();
    const bool boardFree =
        top == GetPanel(kMenuPanel) || (top == GetPanel(kPausePanel) && top->state == ZoPanel::Closing);
    return !demo_ && GameValues().GameState == 0 && shooter_ != nullptr && map_ != nullptr &&
           !leaveRequested_ && boardFree;
}

bool Game::OnEvent(ZoInputEvent& event) {
    if (demo_) {
        // Any key, click or pad button hands the screen back; a move of the mouse does not.
        const bool handBack = event.message == ZoInputEvent::kKeyDown || event.releasedButton != 0 ||
                              event.message == ZoInputEvent::kPadButtonDown;
        event.Clear();
        if (handBack) {
            StopDemo();
        }
        return true;
    }
    const GameControls::Action action = controls_.Take(event);
    if (action == GameControls::Action::Pause && IsPaused()) {
        Resume();
        event.Clear();
        return true;
    }
    // While the board is in play the keys and the pad play; they never walk the menu button.
    if (Playing() &&
        (event.device == ZoInputEvent::kDeviceKeyboard || event.device == ZoInputEvent::kDevicePad)) {
        if (action == GameControls::Action::Fire) {
            shooter_->TryFire();
        } else if (action == GameControls::Action::Swap) {
            shooter_->TrySwap();
        } else if (action == GameControls::Action::Pause) {
            Pause();
        }
        event.Clear();
        return true;
    }
    const bool taken = ZoPanelHost::OnEvent(event);
    // Once the player has asked to leave, the launcher takes nothing more.
    if (!taken && Playing()) {
        shooter_->HandleMouse(event.releasedButton, event.message, event.eventPosition.x,
                              event.eventPosition.y);
    }
    event.Clear();
    return true;
}

void Game::OnWindowLeft() {
    controls_.Release();
    Pause();
}

void Game::OnActivated() {
    controls_.Release();
}

bool Game::Pause() {
    if (!Playing()) {
        return false;
    }
    controls_.Release();
    DropDialogs(); // one still fading out opens again
    OpenPanel(kPausePanel);
    return true;
}

bool Game::IsPaused() const {
    const ZoPanel* pause = GetPanel(kPausePanel);
    return IsOpen(pause) && pause->state != ZoPanel::Closing;
}

void Game::Resume() {
    if (IsPaused()) {
        ClosePanel(kPausePanel);
    }
}

void Game::StartDemo() {
    demo_ = true;
    demoTime_ = 0;
    autoPlayer_ = std::make_unique<AutoPlayer>(false, static_cast<std::uint32_t>(demosShown_) + 1);
    // Both modes take turns.
    if (demosShown_++ % 2 == 0) {
        SetupClassic();
    } else {
        SetupArcade();
    }
    NewGame();
}

void Game::StopDemo() {
    demo_ = false;
    autoPlayer_.reset();
    // Nothing of the demo stays: no game is under way afterwards, and a saved game waits as it was.
    GameValues().GameState = 3;
    DropDialogs();
    ToMenu(true);
}

void Game::SetAutoPlay(bool on, std::uint32_t seed, int careless) {
    autoPlayer_ = on ? std::make_unique<AutoPlayer>(true, seed, careless) : nullptr;
}

void Game::Update(std::int32_t elapsed) {
    ZoPanelHost::Update(elapsed);
    if (IsPaused()) {
        return; // nothing moves, and the Arcade clock stands
    }
    GameSprites::Instance().Layer().UpdateAll(elapsed);
    if (shooter_ != nullptr) {
        if (Playing()) {
            shooter_->Turn(controls_.Turn(elapsed));
        }
        if (autoPlayer_ != nullptr && map_ != nullptr && GameValues().GameState == 0 && !leaveRequested_) {
            autoPlayer_->Play(elapsed, *map_, *shooter_);
        }
        shooter_->UpdateShooter(elapsed);
    }
    if (map_ == nullptr) {
        return;
    }
    // The map runs on after a game is won or lost: the last balls still fall and score, and the end waits
    // for them, so the board, the panel and the table agree.
    map_->Update(elapsed);
    TintCursor();
    if (leaveRequested_) {
        leaveWaited_ += elapsed;
    }
    if (demo_ && (demoTime_ += elapsed) >= kDemoLength) {
        StopDemo();
        return;
    }
    const std::int32_t state = GameValues().GameState;
    if ((state == 4 || state == 2) && map_->Falling().empty() && !endProcessed_) {
        EndGame(state == 4 ? kCompletePanel : kGameOverPanel, state == 4 ? 5 : 3);
    }
}

void Game::TintCursor() {
    ZoCursorSprite* cursor = ZoCursorSprite::Instance();
    const BaseBubble* current = shooter_ != nullptr ? shooter_->CurrentBubble() : nullptr;
    if (cursor == nullptr || current == nullptr) {
        return;
    }
    if (demo_) {
        cursor->Tint(255.0f, 255.0f, 255.0f); // the watching player's pointer, not the autoplayer's ball
        return;
    }
    const BubbleTint tint = TintOfBubble(current->BubbleID);
    cursor->Tint(static_cast<float>(tint.red), static_cast<float>(tint.green), static_cast<float>(tint.blue));
}

void Game::EndGame(const char* panelName, std::int32_t nextState) {
    endProcessed_ = true;
    if (demo_) {
        StopDemo(); // the demo's score is nobody's
        return;
    }
    RecordScore();
    EmptySavedGame();
    auto* panel = dynamic_cast<GameCompletePanel*>(GetPanel(panelName));
    if (panel != nullptr) {
        panel->SetResult(map_->score, map_->TripleBonus);
        if (!IsOpen(panel)) {
            OpenPanel(panelName);
        }
    }
    GameValues().GameState = nextState;
}

bool Game::IsSettled() const {
    if (map_ == nullptr || shooter_ == nullptr) {
        return true;
    }
    const std::int32_t mapState = map_->MapState;
    const bool still =
        mapState == GameMap::kReady || mapState == GameMap::kIntro || mapState == GameMap::kIntroAfterLoad;
    return GameValues().GameState == 0 && still && shooter_->CurrentBubble() != nullptr && !shooter_->flying &&
           map_->Falling().empty() && !map_->linePending;
}

bool Game::SaveBeforeQuit() {
    if (demo_ || map_ == nullptr || IsFinished()) {
        return false;
    }
    // What was in the air when the game was paused lands first.
    DropDialogs();
    for (std::int32_t waited = 0; waited < kSettleLimit && !IsSettled() && !IsFinished(); waited += kSettleStep) {
        Update(kSettleStep);
    }
    return !IsFinished() && Save();
}

void Game::Draw() {
    ZoBitmapFont* font = ZoFontRegistry::Instance().Get(kHudFontId);
    if (font != nullptr) {
        font->SetColour(255.0f, 255.0f, 255.0f, 255.0f);
    }
    if (map_ != nullptr) {
        GameSprites::Instance().Layer().SetOverlay(map_->Background());
        map_->Draw();
        if (ZoSysConfig::Instance().aimingGuide && GameValues().GameState == 0 && shooter_ != nullptr &&
            shooter_->CanShoot() && guide_ != nullptr) {
            guide_->Draw(*map_, *shooter_);
        }
        if (font != nullptr) {
            char text[32];
            std::snprintf(text, sizeof text, "%i ", map_->score);
            font->DrawText(72, 16, text, ZoBitmapFont::kAlignCentre);
        }
    }
    if (demo_) {
        DrawDemoLabel();
    }
    ZoPanelHost::Draw();
}

void Game::DrawDemoLabel() {
    if (demoLabel_ == nullptr) {
        return;
    }
    // A slow glow, so nobody takes the demo for a game of their own; opaque over the hints it covers.
    const float glow = 0.5f + 0.5f * std::sin(static_cast<float>(demoTime_) * 0.004f);
    const float light = 205.0f + 50.0f * glow;
    demoLabel_->SetPosition(kDemoLabelX, kDemoLabelY);
    demoLabel_->SetColour(light, light, light, 255.0f);
    demoLabel_->Draw();
}

void Game::ProcessCommand() {
    const std::string command = pendingCommand;
    pendingCommand.clear();
    sender = nullptr;
    if (command == kToMenuButton) {
        LeaveForMenu();
    } else if (command == kResumeButton) {
        Resume();
    } else if (command == kPauseMenuButton) {
        ClosePanel(kPausePanel);
        LeaveForMenu();
    } else if (command == kGameOverButton) {
        ClosePanel(kGameOverPanel);
        ToMenu(false);
    } else if (command == kCompleteButton) {
        ClosePanel(kCompletePanel);
        ToMenu(true);
    }
    if (!leaveRequested_) {
        return;
    }
    if (IsFinished()) {
        leaveRequested_ = false; // the game ended meanwhile: its panel stays up
    } else if (IsSettled() || leaveWaited_ >= kSettleLimit) {
        leaveRequested_ = false;
        Save();
        ToMenu(true);
    }
}

void Game::LeaveForMenu() {
    if (IsFinished()) {
        ToMenu(true); // nothing left to save
        return;
    }
    // Remembered until the shot has landed, the balls have fallen and the line has dropped: leaving mid-drop
    // must neither skip the line nor lose the falling balls' points.
    leaveRequested_ = true;
    leaveWaited_ = 0;
}

void Game::ToMenu(bool menuMusic) {
    if (WindowManager() != nullptr) {
        WindowManager()->ActivateListener(kMenuListener);
    }
    if (menuMusic) {
        ZoSoundManager& sound = GameSoundManager();
        sound.SetPlayList(kMenuPlayList);
        sound.PlayMusic();
    }
}

bool Game::IsFinished() const {
    const std::int32_t state = GameValues().GameState;
    return state == 3 || state == 5;
}

void Game::Abandon() {
    EmptySavedGame();
    GameValues().GameState = 3;
}

void Game::SetFinished() {
    GameValues().GameState = 3;
}

void Game::EmptySavedGame() {
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.ClearSavedGame();
    profiles.RefreshSavedFlag();
}

void Game::RecordScore() {
    if (map_ == nullptr || demo_) {
        return;
    }
    ZoTopTables::Instance().RecordScore(GameID, ZoProfileManager::Instance().ActiveProfileName(),
                                        map_->score);
}

bool Game::Save() {
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    // Only a running game is worth keeping: a finished one has already emptied its file.
    if (demo_ || map_ == nullptr || shooter_ == nullptr || GameValues().GameState != 0 ||
        !profiles.HasActiveProfile()) {
        return false;
    }
    SavedGame saved;
    if (!saved.Capture(GameID, *map_, *shooter_)) {
        return false;
    }
    const bool written = saved.Write(profiles.SaveFileName());
    profiles.RefreshSavedFlag();
    return written;
}

bool Game::Load() {
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    SavedGame saved;
    if (!profiles.HasActiveProfile() || !saved.Read(profiles.SaveFileName())) {
        // A missing or refused file counts as no saved game; nothing of the old board is touched. A file
        // that was offered but cannot be loaded is said once; it stays until the next save replaces it.
        if (profiles.HasActiveProfile()) {
            if (profiles.ActiveHasSavedGame()) {
                ShowError(kLoadFailedMessage);
            }
            profiles.Profiles()[static_cast<std::size_t>(profiles.Active())]->hasSavedGame = false;
        }
        GameValues().GameState = 3;
        return false;
    }
    GameValues().GameState = 0;
    ForgetEndAndLeave();
    DropDialogs();
    controls_.Release();
    if (saved.gameId == kArcade) {
        SetupArcade();
    } else {
        SetupClassic();
    }
    if (saved.Restore(*map_, *shooter_) == 0) {
        // Every ball lay outside this board: there is nothing to continue.
        ShowError(kLoadFailedMessage);
        profiles.Profiles()[static_cast<std::size_t>(profiles.Active())]->hasSavedGame = false;
        GameValues().GameState = 3;
        return false;
    }
    return true;
}
