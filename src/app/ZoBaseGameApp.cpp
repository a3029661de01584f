#include "ZoBaseGameApp.h"

#include "ZoTimer.h"

void ZoBaseGameApp::UpdateFrame() {
    // Still to come with the menu: the "MainMenuDlg.Continue" button is enabled every frame when the
    // active profile has a saved game, disabled otherwise.
    ZoWindowManager* manager = WindowManager();
    if (manager == nullptr || manager->Active() == nullptr)
        return;
    const std::int32_t frameTime = ZoTimer::Instance().FrameTime();
    ZoEventListener& screen = *manager->Active();
    screen.ProcessCommand();
    // The screen may have switched to another one in ProcessCommand; that one gets this frame.
    ZoEventListener& current = *manager->Active();
    current.Update(frameTime);
    current.Draw();
}

void ZoBaseGameApp::CreateContent() {
    if (menu_ && WindowManager() != nullptr) {
        menuScreen_ = menu_.get();
        WindowManager()->RegisterListener(kMenuName, std::move(menu_));
    }
    // Still to come with the menu: its dialogs (profile, player name, delete player, scores, main menu
    // with its buttons); the main menu dialog and its continue button are kept here.
}
