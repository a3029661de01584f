// The game-application frame: the menu screen, the active screen's frame and the "Continue" button.
#pragma once

#include "ZoBaseApplication.h"
#include "ZoEventListener.h"

#include <memory>

class ZoBaseGameApp : public ZoBaseApplication {
public:
    static constexpr const char* kMenuName = "MenuWin";

    // The active screen's ProcessCommand, Update (with the smoothed frame time) and Draw.
    void UpdateFrame() override;
    // Registers the menu under "MenuWin", which makes it the active screen, and builds its dialogs.
    virtual void CreateContent();

protected:
    // Set by the derived class before CreateContent runs; the window manager owns it from then on.
    std::unique_ptr<ZoEventListener> menu_;
    ZoEventListener* menuScreen_ = nullptr;
};
