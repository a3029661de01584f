// A check box: four frames (unchecked, unchecked lit, checked, checked lit), toggled on release inside.
#pragma once

#include "ZoButton.h"

class ZoCheckBox : public ZoButton {
public:
    bool MouseDown(const ZoInputEvent& event) override;
    bool MouseUp(const ZoInputEvent& event) override;
    void Toggle() override { checked = !checked; }
    void OnHighlight() override {}
    void OnUnhighlight() override {}
    bool LoadImage(const std::string& pictureName) override;
    // The rectangle alone: neither the disabled flag nor the mask count.
    bool HitTest(const ZoInputEvent& event) override;
    void Draw() override;

    bool checked = false;
};
