#include "MenuGui.h"

#include "Game.h"
#include "GameGlobals.h"
#include "GameSprites.h"
#include "Shooter.h"
#include "ZoCheckBoxGroup.h"
#include "ZoCursorSprite.h"
#include "ZoDialogPanel.h"
#include "ZoLanguage.h"
#include "ZoPlayList.h"
#include "ZoProfileDlg.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoRenderDevice.h"
#include "ZoScoreDlg.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTextDialogPanel.h"
#include "ZoTopTables.h"
#include "ZoWindowManager.h"

#include <cmath>

namespace {
constexpr std::int32_t kRestFrame = 8;
constexpr std::int32_t kGamePlayList = 1;
constexpr float kMuzzle = 43.0f;
constexpr float kCurrentBallDistance = 32.0f;
constexpr float kNextBallDistance = 6.0f;
constexpr float kSpeedScale = 0.1f;

// The language text with its "%s" replaced by the name (the name is data, never a format).
std::string WithName(std::string text, const std::string& name) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}
} // namespace

MenuGui::MenuGui() {
    launcher = std::make_unique<ZoClip>();
    launcher->Load("KorrikMenu", false);
    launcher->Animation().Setup(1, AnimNone, 1, 1);
    launcher->position = ZoVector(kLauncherX, kLauncherY, 0.0f);
    // Until the mouse first moves, the creature looks straight up with its balls beside it.
    aim = ZoVector(0.0f, -1.0f, 0.0f);
    // Loaded and placed, but the main menu panel draws its own grass.
    grass = std::make_unique<ZoClip>();
    grass->Load("MenuGrass", false);
    grass->Animation().Setup(1, AnimNone, 1, 1);
    grass->position =
        ZoVector(static_cast<float>(grass->Width()) / 2.0f,
                 ZoRenderDevice::kScreenHeight - static_cast<float>(grass->Height()) / 2.0f, 0.0f);
}

MenuGui::~MenuGui() = default;

Game* MenuGui::GameScreen() const {
    return WindowManager() != nullptr ? dynamic_cast<Game*>(WindowManager()->Find(kGameName)) : nullptr;
}

std::unique_ptr<BaseBubble> MenuGui::RandomBall() const {
    auto ball = GameSprites::Instance().MakeBubble(SystemRandom().Below(kBubbleColours));
    ball->SetFrame(kRestFrame);
    return ball;
}

bool MenuGui::LauncherFree() const {
    return openPanels.size() == 1 && openPanels.front()->state == ZoPanel::Steady;
}

bool MenuGui::OnEvent(ZoInputEvent& event) {
    if (event.device != ZoInputEvent::kDeviceNone || event.releasedKey != 0)
        idleTime = 0;
    aim = event.eventPosition - launcher->position;
    aim.z = 0.0f;
    aim = aim.Normalized();
    // Clicks belong to the dialogs while one is open or fading: nothing is swapped or fired under them.
    const bool launcherFree = LauncherFree();
    if (launcherFree && event.releasedButton == ZoInputEvent::kReleasedRight && currentBall && nextBall &&
        currentBall->BubbleID != nextBall->BubbleID) {
        currentBall->Restart();
        nextBall->Restart();
        std::swap(currentBall, nextBall);
        PlayGameSound(GameSound::Swap);
    }
    const bool released = event.releasedButton == ZoInputEvent::kReleasedLeft;
    if (ZoPanelHost::OnEvent(event))
        return true;
    // A click on the bare main menu fires a ball.
    if (launcherFree && released && currentBall)
        Fire();
    return false;
}

void MenuGui::Fire() {
    currentBall->position = launcher->position + aim * kMuzzle;
    const float speed = static_cast<float>(SystemRandom().Next()) / ZoRandom::kMax * 6.0f + 6.0f;
    currentBall->velocity = aim * speed;
    currentBall->SetFrame(kRestFrame);
    FlyingBall flying;
    flying.lifeTime = SystemRandom().Below(201) + 400;
    flying.ball = std::move(currentBall);
    flyingBalls.push_back(std::move(flying));
    currentBall = std::move(nextBall);
    nextBall = RandomBall();
}

void MenuGui::OnActivated() {
    idleTime = 0;
    // Back from a game, a button the keys lit before it would look chosen under the mouse.
    for (ZoPanel* panel : OpenPanels()) {
        panel->DropFocus();
    }
}

void MenuGui::Update(std::int32_t elapsed) {
    ZoPanelHost::Update(elapsed);
    idleTime = LauncherFree() ? idleTime + elapsed : 0;
    if (idleTime >= kDemoDelay) {
        idleTime = 0;
        StartDemo();
    }
    for (FlyingBall& flying : flyingBalls) {
        flying.ball->position = flying.ball->position + flying.ball->velocity * (kSpeedScale * elapsed);
        flying.lifeTime -= elapsed;
    }
    for (auto& burst : bursts)
        burst->Update(elapsed);
}

void MenuGui::Draw() {
    ZoBaseGuiElemen* playerButton = GetPanel("MainMenuDlg") != nullptr
                                        ? GetPanel("MainMenuDlg")->FindElement("MainMenuDlg.Profile")
                                        : nullptr;
    if (playerButton != nullptr) {
        playerButton->captionSwitch = 1;
        playerButton->caption = "WELCOME: " + Profiles().ActiveProfileName();
    }
    // The game tints the pointer with the ball about to be fired; the menu has none.
    if (ZoCursorSprite* cursor = ZoCursorSprite::Instance())
        cursor->Tint(255.0f, 255.0f, 255.0f);
    ZoPanelHost::Draw();
}

void MenuGui::DrawDecoration() {
    // The same turn as the game's launcher: the creature faces where the ball goes.
    const ZoVector facing = aim.Normalized();
    launcher->rotation = Shooter::FacingAngle(facing);
    if (GameSprites::Instance().Loaded()) {
        if (!currentBall)
            currentBall = RandomBall();
        if (!nextBall)
            nextBall = RandomBall();
        nextBall->position = launcher->position - facing * kNextBallDistance;
        nextBall->SetFrame(kRestFrame);
        nextBall->Draw();
        launcher->Draw();
        currentBall->position = launcher->position + facing * kCurrentBallDistance;
        currentBall->SetFrame(kRestFrame);
        currentBall->Draw();
    } else {
        launcher->Draw();
    }

    for (std::size_t i = 0; i < flyingBalls.size();) {
        BaseBubble& ball = *flyingBalls[i].ball;
        ball.Draw();
        if (ball.position.x < 0.0f || ball.position.x > ZoRenderDevice::kScreenWidth)
            ball.velocity.x = -ball.velocity.x;
        if (ball.position.y < 0.0f || ball.position.y > ZoRenderDevice::kScreenHeight)
            ball.velocity.y = -ball.velocity.y;
        if (flyingBalls[i].lifeTime < 0) {
            if (const BubbleDestroy* prototype = GameSprites::Instance().BurstPrototype(ball.BubbleID)) {
                auto burst = std::make_unique<BubbleDestroy>(*prototype);
                burst->position = ball.position;
                burst->emitterPosition = ball.position;
                burst->Emit(SystemRandom().Below(9) + 15);
                bursts.push_back(std::move(burst));
            }
            PlayGameSound(GameSound::BallDelete);
            flyingBalls.erase(flyingBalls.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    for (std::size_t i = 0; i < bursts.size();) {
        bursts[i]->Draw();
        if (bursts[i]->state == 2)
            bursts.erase(bursts.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

void MenuGui::StartGameMusic() {
    ZoSoundManager& sound = ZoSoundManager::Instance();
    sound.SetPlayList(kGamePlayList);
    sound.PlayMusic();
}

void MenuGui::StartDemo() {
    Game* game = GameScreen();
    // A game under way that is not saved would be lost to the demo: then there is none.
    if (game == nullptr || WindowManager() == nullptr ||
        (!game->IsFinished() && !Profiles().ActiveHasSavedGame()))
        return;
    StartGameMusic();
    game->StartDemo();
    WindowManager()->ActivateListener(kGameName);
}

void MenuGui::ContinueGame() {
    Game* game = GameScreen();
    if (game == nullptr)
        return;
    // A save that is missing or refused leaves the player on the menu, not on an empty board.
    if (!game->Load())
        return;
    StartGameMusic();
    if (WindowManager() != nullptr)
        WindowManager()->ActivateListener(kGameName);
}

void MenuGui::StartMode(std::int32_t mode) {
    Game* game = GameScreen();
    if (game == nullptr)
        return;
    if (game->IsFinished() && !Profiles().ActiveHasSavedGame()) {
        StartGameMusic();
        // A finished game of the same mode keeps its map; only a new game is dealt.
        if (game->GameID != mode || !game->HasGame()) {
            if (mode == 0)
                game->SetupClassic();
            else
                game->SetupArcade();
        }
        game->NewGame();
        if (WindowManager() != nullptr)
            WindowManager()->ActivateListener(kGameName);
    } else {
        OpenPanel("ConfirmGameDlg");
        game->requestedMode = mode;
    }
}

bool MenuGui::HandleOptionsCommand(const std::string& command) {
    Game* game = GameScreen();
    ZoSysConfig& options = ZoSysConfig::Instance();
    ZoSoundManager& sound = ZoSoundManager::Instance();
    if (command == "OptionsDlg.WindowedCheckBox") {
        const auto* box = dynamic_cast<const ZoCheckBox*>(sender);
        options.windowed = box == nullptr || !box->checked;
        ZoRenderDevice::Instance().RecreateDevice();
        options.Save();
    } else if (command == "OptionsDlg.AimingGuide") {
        // Kept with the other options when the dialog is left with OK.
        const auto* box = dynamic_cast<const ZoCheckBox*>(sender);
        options.aimingGuide = box != nullptr && box->checked;
    } else if (command == "OptionsDlg.Ok") {
        ClosePanel("OptionsDlg");
        options.Save();
    } else if (command == "OptionsDlg.SoundSlider") {
        const std::int32_t value = sender != nullptr ? sender->GetValue() : options.soundVolume;
        sound.SetSoundEnabled(value >= ZoSoundManager::kAudibleVolume);
        sound.SetSoundVolume(value);
        options.soundVolume = value;
    } else if (command == "OptionsDlg.MusicSlider") {
        const std::int32_t value = sender != nullptr ? sender->GetValue() : options.musicVolume;
        sound.SetMusicVolume(value);
        ZoPlayList* playList = sound.CurrentPlayList();
        if ((sound.MusicVolume() & 0xFF) < ZoSoundManager::kAudibleVolume) {
            sound.SetMusicEnabled(false);
            if (playList != nullptr)
                playList->StopMusic();
        } else {
            sound.SetMusicEnabled(true);
            if (playList != nullptr)
                playList->ResumeMusic();
        }
        options.musicVolume = value;
    } else if (command == "OptionsDlg.Easy" || command == "OptionsDlg.Normal" ||
               command == "OptionsDlg.Hard") {
        options.difficulty = command == "OptionsDlg.Easy" ? 0 : command == "OptionsDlg.Normal" ? 1 : 2;
        if (Profiles().ActiveHasSavedGame())
            OpenPanel("DiffChangeDlg");
    } else if (command == "DiffChangeDlg.Ok") {
        if (game != nullptr)
            game->Abandon();
        options.Save();
        ClosePanel("DiffChangeDlg");
    } else if (command == "DiffChangeDlg.Cancel") {
        ZoPanel* optionsDialog = GetPanel("OptionsDlg");
        auto* group = optionsDialog != nullptr
                          ? dynamic_cast<ZoCheckBoxGroup*>(optionsDialog->FindElement("OptionsDlg.Difficult"))
                          : nullptr;
        if (group != nullptr) {
            group->RestorePrevious();
            // The option follows the box shown again, so the dialog never shows one level and plays another.
            for (std::size_t i = 0; i < group->Boxes().size(); ++i)
                if (group->Boxes()[i]->checked)
                    options.difficulty = static_cast<std::int32_t>(i);
        }
        ClosePanel("DiffChangeDlg");
    } else {
        return false;
    }
    return true;
}

bool MenuGui::HandleProfileCommand(const std::string& command) {
    Game* game = GameScreen();
    ZoProfileManager& profiles = Profiles();
    auto* profileDialog = dynamic_cast<ZoProfileDlg*>(GetPanel("ProfileDlg"));
    if (command == "MainMenuDlg.Profile") {
        OpenPanel("ProfileDlg");
    } else if (command == "ProfileDlg.Ok") {
        ClosePanel("ProfileDlg");
        // Names, not list indexes: adding or deleting players moves the indexes under the dialog.
        if (profileDialog != nullptr && profiles.ActiveProfileName() != profileDialog->committedPlayer) {
            if (game != nullptr)
                game->SetFinished();
            profiles.SaveProfiles();
            profileDialog->committedPlayer = profiles.ActiveProfileName();
        }
    } else if (command == "ProfileDlg.Add") {
        OpenPanel("PlayerNameDlg");
    } else if (command == "PlayerNameDlg.Ok") {
        auto* nameDialog = dynamic_cast<ZoTextDialogPanel*>(GetPanel("PlayerNameDlg"));
        if (nameDialog == nullptr || !nameDialog->HasText())
            return true;
        const std::string playerName = nameDialog->Text();
        bool known = false;
        for (const auto& item : profiles.Profiles())
            known = known || item->name == playerName;
        profiles.AddProfile(playerName);
        if (profileDialog != nullptr) {
            // A known name is selected again rather than listed twice.
            if (!known)
                profileDialog->AddItem(playerName, profiles.Active());
            profileDialog->SelectItem(playerName);
        }
        profiles.SaveProfiles();
        if (profileDialog != nullptr)
            profileDialog->committedPlayer = playerName;
        if (game != nullptr) {
            // A returning player keeps their saved game; only a new player starts from nothing.
            if (known)
                game->SetFinished();
            else
                game->Abandon();
        }
        ClosePanel("PlayerNameDlg");
    } else if (command == "PlayerNameDlg.Cancel") {
        CloseOrAskForName("PlayerNameDlg");
    } else if (command == "ProfileDlg.Delete") {
        if (auto* question = dynamic_cast<ZoDialogPanel*>(GetPanel("DeletePlayerNameDlg")))
            question->SetMessage(WithName(ZoLanguage::Instance().GetText("ConfirmDeletePlayer"),
                                          profiles.ActiveProfileName()));
        OpenPanel("DeletePlayerNameDlg");
    } else if (command == "DeletePlayerNameDlg.Ok") {
        profiles.DeleteActiveProfile();
        profiles.SaveProfiles();
        // The game under way was the deleted player's; it must not go on as the next player's.
        if (game != nullptr)
            game->SetFinished();
        if (profileDialog != nullptr) {
            profileDialog->RemoveItems();
            profileDialog->Rebuild();
            profileDialog->committedPlayer = profiles.ActiveProfileName();
        }
        CloseOrAskForName("DeletePlayerNameDlg");
    } else if (command == "DeletePlayerNameDlg.Cancel") {
        ClosePanel("DeletePlayerNameDlg");
    } else {
        return false;
    }
    return true;
}

bool MenuGui::HandleScoreCommand(const std::string& command) {
    auto* scoreDialog = dynamic_cast<ZoScoreDlg*>(GetPanel("ScoreDlg"));
    if (command == "MainMenuDlg.Score") {
        OpenPanel("ScoreDlg");
    } else if (command == "ScoreDlg.Back") {
        ClosePanel("ScoreDlg");
    } else if (command == "ScoreDlg.Clear") {
        OpenPanel("ConfirmScoreClearDlg");
    } else if (command == "ConfirmScoreClearDlg.Ok") {
        if (scoreDialog != nullptr) {
            if (ZoTop* top = ZoTopTables::Instance().Get(scoreDialog->shownTable))
                top->Clear();
        }
        ClosePanel("ConfirmScoreClearDlg");
    } else if (command == "ConfirmScoreClearDlg.Cancel") {
        ClosePanel("ConfirmScoreClearDlg");
    } else if (command == "ScoreDlg.Next") {
        if (scoreDialog != nullptr)
            scoreDialog->ShowNext();
    } else if (command == "ScoreDlg.Prev") {
        if (scoreDialog != nullptr)
            scoreDialog->ShowPrevious();
    } else {
        return false;
    }
    return true;
}

void MenuGui::ProcessCommand() {
    Game* game = GameScreen();
    if (pendingCommand.empty())
        return;
    const std::string command = pendingCommand;
    if (command == "MainMenuDlg.Continue") {
        ContinueGame();
    } else if (command == "MainMenuDlg.Classic") {
        StartMode(0);
    } else if (command == "MainMenuDlg.Arcade") {
        StartMode(1);
    } else if (command == "ConfirmGameDlg.Ok") {
        PopTopPanel();
        if (game != nullptr) {
            if (game->requestedMode == 0)
                game->SetupClassic();
            else
                game->SetupArcade();
            StartGameMusic();
            game->NewGame();
            if (WindowManager() != nullptr)
                WindowManager()->ActivateListener(kGameName);
        }
    } else if (command == "ConfirmGameDlg.Continue") {
        PopTopPanel();
        ContinueGame();
    } else if (command == "MainMenuDlg.Help") {
        OpenPanel("HelpDlg");
    } else if (command == "MainMenuDlg.Exit") {
        if (WindowManager() != nullptr)
            WindowManager()->RequestQuit();
    } else if (command == "HelpBackToMenu") {
        drawAll = false;
        ClosePanel("HelpDlg");
    } else if (command == "Help.Credits") {
        drawAll = true;
        OpenPanel("CreditsDlg");
    } else if (command == "CreditsDlg.Ok") {
        ClosePanel("CreditsDlg");
    } else if (command == "MainMenuDlg.Options") {
        OpenPanel("OptionsDlg");
    } else if (!HandleOptionsCommand(command) && !HandleProfileCommand(command)) {
        HandleScoreCommand(command);
    }
    // ActivateListener already cleared it when the game took over; clearing again is harmless.
    pendingCommand.clear();
    sender = nullptr;
}
