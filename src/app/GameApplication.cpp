#include "GameApplication.h"

#include "Game.h"
#include "MenuDialogs.h"
#include "MenuGui.h"
#include "ZoBitmapFont.h"
#include "ZoProfileManager.h"
#include "ZoSoundManager.h"
#include "ZoTextDialogPanel.h"
#include "ZoTopTables.h"

#include <memory>

GameApplication::~GameApplication() {
    // The tables go before the screens that draw them.
    ZoTopTables::Instance().Clear();
}

void GameApplication::SaveGameBeforeQuit() {
    if (game_ == nullptr || WindowManager() == nullptr || WindowManager()->Active() != game_)
        return;
    // The last balls fall while the window closes: silently.
    ZoSoundManager::Instance().SetSoundEnabled(false);
    game_->SaveBeforeQuit();
}

MenuGui* GameApplication::Menu() const {
    return dynamic_cast<MenuGui*>(menuScreen_);
}

void GameApplication::CreateContent() {
    // 1. The menu screen.
    menu_ = std::make_unique<MenuGui>();
    // 2. The menu is registered and its first dialogs built.
    ZoBaseGameApp::CreateContent();
    // 3. Sounds and the main font.
    SetProgress(30);
    LoadSoundTable();
    SetProgress(40);
    SetProgress(50);
    auto font = std::make_unique<ZoBitmapFont>();
    font->LoadFont(kMainFontName);
    ZoFontRegistry::Instance().Register(kMainFontId, std::move(font));
    SetProgress(60);
    // 4. The remaining menu dialogs; the main menu opens.
    if (menuScreen_ != nullptr)
        BuildGameMenuDialogs(*menuScreen_);
    SetProgress(65);
    // 6. The game screen; registering makes it active, so the menu is activated again afterwards.
    if (WindowManager() != nullptr) {
        auto game = std::make_unique<Game>();
        game->Init();
        game_ = game.get();
        WindowManager()->RegisterListener(kGameName, std::move(game));
        if (WindowManager()->Find(kMenuName) != nullptr)
            WindowManager()->ActivateListener(kMenuName);
    }
    // 7. The cursor.
    cursor_ = std::make_unique<ZoCursorSprite>();
    SetProgress(80);
    // 9. Nobody has played yet: the first frame asks for a name, and it cannot be cancelled.
    if (menuScreen_ != nullptr && menuScreen_->Profiles().IsEmpty()) {
        if (ZoPanel* nameEntry = menuScreen_->GetPanel("PlayerNameDlg")) {
            if (ZoBaseGuiElemen* cancel = nameEntry->cancelButton)
                cancel->Disable();
            menuScreen_->OpenPanel("PlayerNameDlg");
        }
    }
    // 10. The two high-score tables, each loading its file at once.
    ZoTopTables::Instance().CreateGameTables();
    SetProgress(90);
    // 12. Music: list 0 for the menu, list 1 for the game; list 0 plays when music is on.
    CreateMusicPlayLists();
}
