// A check box: four frames (unchecked, unchecked lit, checked, checked lit), toggled on release inside.
#pragma once

#include "ZoButton.h"

class ZoCheckBox : public ZoButton {
public:
    // Room between the box and its label.
    static constexpr std::int32_t kLabelGap = 6;

    bool MouseDown(const ZoInputEvent& event) override;
    bool MouseUp(const ZoInputEvent& event) override;
    void Toggle() override { checked = !checked; }
    void OnHighlight() override {}
    void OnUnhighlight() override {}
    bool LoadImage(const std::string& pictureName) override;
    // The box or its label; neither the disabled flag nor the mask count.
    bool HitTest(const ZoInputEvent& event) override;
    // The box, then its label beside it: before it for alignment 0, after it otherwise.
    void Draw() override;

    bool checked = false;

private:
    // Where the label's text starts and ends; an empty span without a label.
    void LabelSpan(float& left, float& right) const;
};
