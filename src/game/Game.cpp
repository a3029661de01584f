#include "Game.h"

#include "GameCompletePanel.h"
#include "GameSprites.h"
#include "SavedGame.h"
#include "ZoBitmapFont.h"
#include "ZoButton.h"
#include "ZoProfileManager.h"
#include "ZoSoundManager.h"
#include "ZoTopTables.h"
#include "ZoWindowManager.h"

#include <algorithm>
#include <cstdio>

namespace {

// The menu button's place on the game screen, in percent of the screen (it sits at (80, 566)).
constexpr float kMenuButtonX = 10.0f;
constexpr float kMenuButtonY = 566.0f / 6.0f;
// The end panels' OK button, in percent of the panel picture.
constexpr float kEndButtonX = 50.0f;
constexpr float kEndButtonY = 87.0f;
constexpr std::int32_t kMenuPlayList = 0;

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
    DropEndPanels();
    GameSprites::Instance().Layer().Clear();
    if (shooter_ != nullptr) {
        shooter_->Reset(); // a shot of the last game may still be in the air
    }
    if (map_ != nullptr) {
        map_->Reset(true);
    }
}

void Game::DropEndPanels() {
    for (const char* name : {kGameOverPanel, kCompletePanel}) {
        ZoPanel* panel = GetPanel(name);
        if (panel != nullptr) {
            openPanels.erase(std::remove(openPanels.begin(), openPanels.end(), panel), openPanels.end());
            panel->state = ZoPanel::Steady;
        }
    }
}

bool Game::OnEvent(ZoInputEvent& event) {
    const bool taken = ZoPanelHost::OnEvent(event);
    if (!taken && GameValues().GameState == 0 && shooter_ != nullptr) {
        shooter_->HandleMouse(event.releasedButton, event.message, event.eventPosition.x,
                              event.eventPosition.y);
    }
    event.Clear();
    return true;
}

void Game::Update(std::int32_t elapsed) {
    ZoPanelHost::Update(elapsed);
    GameSprites::Instance().Layer().UpdateAll(elapsed);
    if (shooter_ != nullptr) {
        shooter_->UpdateShooter(elapsed);
    }
    if (map_ == nullptr) {
        return;
    }
    GameGlobals& values = GameValues();
    if (values.GameState != 4 && values.GameState != 2) {
        map_->Update(elapsed);
    }
    if (values.GameState == 4) {
        EndGame(kCompletePanel, 5);
    } else if (values.GameState == 2) {
        EndGame(kGameOverPanel, 3);
    }
}

void Game::EndGame(const char* panelName, std::int32_t nextState) {
    RecordScore();
    EmptySavedGame();
    auto* panel = dynamic_cast<GameCompletePanel*>(GetPanel(panelName));
    if (panel != nullptr) {
        panel->SetResult(map_->score, map_->TripleBonus);
        OpenPanel(panelName);
    }
    GameValues().GameState = nextState;
}

void Game::Draw() {
    ZoBitmapFont* font = ZoFontRegistry::Instance().Get(kHudFontId);
    if (font != nullptr) {
        font->SetColour(255.0f, 255.0f, 255.0f, 255.0f);
    }
    if (map_ != nullptr) {
        GameSprites::Instance().Layer().SetOverlay(map_->Background());
        map_->Draw();
        if (font != nullptr) {
            char text[32];
            std::snprintf(text, sizeof text, "%i ", map_->score);
            font->DrawText(72, 16, text, ZoBitmapFont::kAlignCentre);
        }
    }
    ZoPanelHost::Draw();
}

void Game::ProcessCommand() {
    const std::string command = pendingCommand;
    pendingCommand.clear();
    sender = nullptr;
    if (command == kToMenuButton) {
        Save();
        ToMenu(true);
    } else if (command == kGameOverButton) {
        ClosePanel(kGameOverPanel);
        ToMenu(false);
    } else if (command == kCompleteButton) {
        ClosePanel(kCompletePanel);
        ToMenu(true);
    }
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
    if (map_ == nullptr) {
        return;
    }
    ZoTopTables::Instance().RecordScore(GameID, ZoProfileManager::Instance().ActiveProfileName(),
                                        map_->score);
}

bool Game::Save() {
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    // Only a running game is worth keeping: a finished one has already emptied its file.
    if (map_ == nullptr || shooter_ == nullptr || GameValues().GameState != 0 ||
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
        // A missing or refused file counts as no saved game; nothing of the old board is touched.
        if (profiles.HasActiveProfile()) {
            profiles.Profiles()[static_cast<std::size_t>(profiles.Active())]->hasSavedGame = false;
        }
        GameValues().GameState = 3;
        return false;
    }
    GameValues().GameState = 0;
    DropEndPanels();
    if (saved.gameId == kArcade) {
        SetupArcade();
    } else {
        SetupClassic();
    }
    if (saved.Restore(*map_, *shooter_) == 0) {
        // Every ball lay outside this board: there is nothing to continue.
        profiles.Profiles()[static_cast<std::size_t>(profiles.Active())]->hasSavedGame = false;
        GameValues().GameState = 3;
        return false;
    }
    return true;
}
