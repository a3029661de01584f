// A push button: frames normal, highlighted, disabled and pressed; focus sound on entry, click on release.
#pragma once

#include "ZoBaseGuiElemen.h"

class ZoButton : public ZoBaseGuiElemen {
public:
    // Picture rows, top to bottom.
    static constexpr std::int32_t kFrameNormal = 0;
    static constexpr std::int32_t kFrameHighlighted = 1;
    static constexpr std::int32_t kFrameDisabled = 2;
    static constexpr std::int32_t kFramePressed = 3;
    static constexpr std::int32_t kFrameCount = 4;

    ZoButton();

    // A press on the button lights it and holds it down; it never sends the command by itself.
    bool MouseDown(const ZoInputEvent& event) override;
    bool MouseUp(const ZoInputEvent& event) override;
    bool MouseMove(const ZoInputEvent& event) override;
    void Unhighlight() override;
    void OnHighlight() override;
    void OnUnhighlight() override;
    bool LoadImage(const std::string& pictureName) override;
    bool HitTest(const ZoInputEvent& event) override;
    void Draw() override;

    // 1 while the mouse has stayed over the button since the focus sound played.
    std::int32_t hoverLatch = 0;
    // The left button went down on this button and has not come up yet.
    bool pressed = false;
};
