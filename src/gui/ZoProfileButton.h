// A player's button in the profile list: highlighted means selected, the caption is the player's name.
#pragma once

#include "ZoButton.h"

class ZoProfileButton : public ZoButton {
public:
    ZoProfileButton();

    bool MouseUp(const ZoInputEvent& event) override;
    bool MouseMove(const ZoInputEvent& event) override;
    bool LoadImage(const std::string& pictureName) override;
    void Draw() override;
};
