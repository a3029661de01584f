// A player's button in the profile list: highlighted means selected, the caption is the player's name.
#pragma once

#include "ZoButton.h"

class ZoProfileButton : public ZoButton {
public:
    // The row of the picture that marks the active player.
    static constexpr std::int32_t kFrameSelected = kFramePressed;

    ZoProfileButton();

    // Selection happens on release only; a press changes nothing.
    bool MouseDown(const ZoInputEvent& event) override;
    bool MouseUp(const ZoInputEvent& event) override;
    bool MouseMove(const ZoInputEvent& event) override;
    void Draw() override;
};
