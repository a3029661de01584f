#include "GameApplication.h"

#include "ZoBitmapFont.h"
#include "ZoSoundManager.h"

#include <memory>

GameApplication::~GameApplication() {
    // Still to come with the high-score tables: they are deleted here, before the screens.
}

void GameApplication::CreateContent() {
    // 1. Still to come: the menu screen (MenuGui) is created here and stored in menu_.
    // 2. The menu is registered and its dialogs built.
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
    // 4. Still to come: the remaining menu dialogs (options, help, credits, scores, main menu buttons).
    SetProgress(65);
    // 6. Still to come: the game screen (Game) is created, initialised and registered as "GameWin";
    //    then "MenuWin" is activated again so the menu is the screen the loop starts with.
    if (WindowManager() != nullptr && WindowManager()->Find(kMenuName) != nullptr)
        WindowManager()->ActivateListener(kMenuName);
    // 7. The cursor.
    cursor_ = std::make_unique<ZoCursorSprite>();
    SetProgress(80);
    // 9. Still to come: with no profile at all, the "PlayerNameDlg" opens (its Cancel disabled) so the
    //    first frame asks for a name.
    // 10. Still to come: high-score tables 0 ("Data/Classic.Zot", "Interface/ScoreClassic") and
    //     1 ("Data/Arcade.Zot", "Interface/ScoreArcade"), each loading its file at once.
    SetProgress(90);
    // 12. Music: list 0 for the menu, list 1 for the game; list 0 plays when music is on.
    CreateMusicPlayLists();
}
