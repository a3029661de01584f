// A radio group of check boxes: exactly one stays checked; a click on a new box sends that box's name.
#pragma once

#include "ZoCheckBox.h"

#include <memory>
#include <vector>

class ZoCheckBoxGroup : public ZoBaseGuiElemen {
public:
    bool MouseDown(const ZoInputEvent& event) override;
    bool MouseUp(const ZoInputEvent& event) override;
    bool MouseMove(const ZoInputEvent& event) override;
    // The group's name goes back to its own after its command was sent.
    void AfterPress() override { name = ownName; }
    void Draw() override;

    // A new box with the "Interface/CheckBox" picture, its caption starting at its right, at (x, y).
    ZoCheckBox* AddCheckBox(const std::string& boxName, const std::string& boxCaption,
                            std::int32_t switchValue, float x, float y, float z);
    // Checks exactly the boxes named boxName.
    void Check(const std::string& boxName);
    // Checks again the box that was checked when the button went down.
    void RestorePrevious();
    const std::vector<std::unique_ptr<ZoCheckBox>>& Boxes() const { return boxes; }

    std::string ownName;
    std::int32_t rememberedIndex = -1;
    std::vector<std::unique_ptr<ZoCheckBox>> boxes;
};
