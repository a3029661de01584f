#include "ZoCheckBoxGroup.h"

ZoCheckBox* ZoCheckBoxGroup::AddCheckBox(const std::string& boxName, const std::string& boxCaption,
                                         std::int32_t switchValue, float x, float y, float z) {
    auto box = std::make_unique<ZoCheckBox>();
    box->LoadImage("Interface/CheckBox");
    box->name = boxName;
    box->caption = boxCaption;
    box->captionSwitch = switchValue;
    box->captionAlignment = 0;
    box->image->position.x = x;
    box->image->position.y = y;
    box->image->position.z = z;
    boxes.push_back(std::move(box));
    return boxes.back().get();
}

void ZoCheckBoxGroup::Check(const std::string& boxName) {
    for (auto& box : boxes) {
        box->checked = false;
    }
    for (auto& box : boxes) {
        if (box->name == boxName) {
            box->checked = true;
        }
    }
}

void ZoCheckBoxGroup::RestorePrevious() {
    if (rememberedIndex < 0 || static_cast<std::size_t>(rememberedIndex) >= boxes.size()) {
        return;
    }
    for (auto& box : boxes) {
        box->checked = false;
    }
    boxes[static_cast<std::size_t>(rememberedIndex)]->checked = true;
}

bool ZoCheckBoxGroup::MouseDown(const ZoInputEvent& event) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->checked) {
            rememberedIndex = static_cast<std::int32_t>(i);
        }
        boxes[i]->MouseDown(event);
    }
    return false;
}

bool ZoCheckBoxGroup::MouseUp(const ZoInputEvent& event) {
    std::size_t previous = boxes.size();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->checked) {
            previous = i;
            break;
        }
    }
    // Every box hears the release, so the hit box is the first that reports it.
    std::size_t hit = boxes.size();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->MouseUp(event) && hit == boxes.size()) {
            hit = i;
        }
    }
    if (hit == boxes.size()) {
        return false;
    }
    for (auto& box : boxes) {
        box->checked = false;
    }
    boxes[hit]->checked = true;
    if (hit != previous) {
        name = boxes[hit]->name;
    }
    return true;
}

bool ZoCheckBoxGroup::MouseMove(const ZoInputEvent& event) {
    for (auto& box : boxes) {
        box->MouseMove(event);
    }
    return false;
}

void ZoCheckBoxGroup::Draw() {
    for (auto& box : boxes) {
        box->SetColour(red, green, blue, alpha);
        box->Draw();
    }
}
