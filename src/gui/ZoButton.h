// A push button: three frames (normal, highlighted, disabled), focus sound on entry, click on release.
#pragma once

#include "ZoBaseGuiElemen.h"

class ZoButton : public ZoBaseGuiElemen {
public:
    ZoButton();

    bool MouseUp(const ZoInputEvent& event) override;
    bool MouseMove(const ZoInputEvent& event) override;
    void OnHighlight() override;
    void OnUnhighlight() override;
    bool LoadImage(const std::string& pictureName) override;
    bool HitTest(const ZoInputEvent& event) override;
    void Draw() override;

    // 1 while the mouse has stayed over the button since the focus sound played.
    std::int32_t hoverLatch = 0;
};
