#include "ZoBaseGameApp.h"

#include "MenuDialogs.h"
#include "ZoBaseGuiElemen.h"
#include "ZoProfileManager.h"
#include "ZoTimer.h"

void ZoBaseGameApp::UpdateFrame() {
    // Every frame, so the button follows a change of player or saved game at once.
    if (continueButton_ != nullptr && menuScreen_ != nullptr) {
        const ZoProfileManager& profiles = menuScreen_->Profiles();
        if (profiles.HasActiveProfile() && profiles.ActiveHasSavedGame())
            continueButton_->Enable();
        else
            continueButton_->Disable();
    }
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
    if (menuScreen_ == nullptr)
        return;
    const MenuBaseDialogs built = BuildBaseMenuDialogs(*menuScreen_);
    mainMenuDialog_ = built.mainMenu;
    continueButton_ = built.continueButton;
}
