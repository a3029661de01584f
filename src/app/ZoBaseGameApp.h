// The game-application frame: the menu screen, the active screen's frame and the "Continue" button.
#pragma once

#include "ZoBaseApplication.h"
#include "ZoBaseMenuGui.h"

#include <memory>

class ZoBaseGuiElemen;
class ZoPanel;

class ZoBaseGameApp : public ZoBaseApplication {
public:
    static constexpr const char* kMenuName = "MenuWin";

    // The continue button follows the active player's saved game, then the active screen's
    // ProcessCommand, Update (with the smoothed frame time) and Draw.
    void UpdateFrame() override;
    // Registers the menu under "MenuWin", which makes it the active screen, and builds its dialogs.
    virtual void CreateContent();

    ZoBaseMenuGui* MenuScreen() const { return menuScreen_; }
    ZoPanel* MainMenuDialog() const { return mainMenuDialog_; }
    ZoBaseGuiElemen* ContinueButton() const { return continueButton_; }

protected:
    // Set by the derived class before CreateContent runs; the window manager owns it from then on.
    std::unique_ptr<ZoBaseMenuGui> menu_;
    ZoBaseMenuGui* menuScreen_ = nullptr;
    ZoPanel* mainMenuDialog_ = nullptr;
    ZoBaseGuiElemen* continueButton_ = nullptr;
};
