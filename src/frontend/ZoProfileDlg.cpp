#include "ZoProfileDlg.h"

#include "ZoButton.h"
#include "ZoEngineDefs.h"
#include "ZoProfileButton.h"
#include "ZoProfileManager.h"

#include <algorithm>

ZoProfileManager& ZoProfileDlg::Profiles() const {
    return profiles_ != nullptr ? *profiles_ : ZoProfileManager::Instance();
}

void ZoProfileDlg::Init() {
    ZoTextTree& definitions = ZoEngineDefs::Tree();
    listTop = definitions.GetInt("ProfileDlg.UpOffset", 0);
    rowStep = definitions.GetFloat("ProfileDlg.CharYDist", 0.0f);
    const ZoVector okAt = definitions.GetVector("ProfileDlg.OkButtonPos", ',');
    const ZoVector addAt = definitions.GetVector("ProfileDlg.AddButtonPos", ',');
    const ZoVector deleteAt = definitions.GetVector("ProfileDlg.DelButtonPos", ',');
    AddButton("Interface/BtnOk", okAt.x, okAt.y, "ProfileDlg.Ok", kRoleCancel);
    addButton = AddButton("Interface/NewProfile", addAt.x, addAt.y, "ProfileDlg.Add", kRolePlain);
    AddButton("Interface/DelProfile", deleteAt.x, deleteAt.y, "ProfileDlg.Delete", kRolePlain);
    Profiles().maximumProfiles = definitions.GetInt("ProfileDlg.NumProfiles", 0);
}

void ZoProfileDlg::AddItem(const std::string& playerName, std::int32_t index) {
    auto button = std::make_unique<ZoProfileButton>();
    button->LoadImage("Interface/ProfileItem");
    button->caption = playerName;
    button->captionSwitch = 1;
    ZoBaseGuiElemen* added = AddElement(kPlayerCommand, std::move(button));
    PlaceElement(50.0f, static_cast<float>(listTop) + rowStep * static_cast<float>(index), added);
}

void ZoProfileDlg::RemoveItems() {
    widgets.erase(std::remove_if(widgets.begin(), widgets.end(),
                                 [](const std::unique_ptr<ZoBaseGuiElemen>& widget) {
                                     return widget->kind == ZoBaseGuiElemen::kKindProfileButton;
                                 }),
                  widgets.end());
    focusPosition = 0;
}

void ZoProfileDlg::Rebuild() {
    const auto& profiles = Profiles().Profiles();
    for (std::size_t i = 0; i < profiles.size(); ++i)
        AddItem(profiles[i]->name, static_cast<std::int32_t>(i));
    if (Profiles().HasActiveProfile())
        SelectItem(Profiles().ActiveProfileName());
}

void ZoProfileDlg::SelectItem(const std::string& playerName) {
    for (const auto& widget : widgets) {
        if (widget->kind != ZoBaseGuiElemen::kKindProfileButton)
            continue;
        if (widget->caption == playerName)
            widget->Highlight();
        else
            widget->Unhighlight();
        widget->SetFrame(0);
    }
}

void ZoProfileDlg::Draw() {
    if (addButton != nullptr) {
        const auto count = static_cast<std::int32_t>(Profiles().Profiles().size());
        if (count >= Profiles().maximumProfiles)
            addButton->Disable();
        else
            addButton->Enable();
    }
    ZoDialogPanel::Draw();
}

void ZoProfileDlg::Open() {
    ZoPanel::Open();
    committedPlayer = Profiles().ActiveProfileName();
    if (!Profiles().IsEmpty())
        SelectItem(Profiles().ActiveProfileName());
}

bool ZoProfileDlg::HandleInput(const ZoInputEvent& event) {
    if (event.message == ZoInputEvent::kKeyDown && event.key == kEscapeKey) {
        if (cancelButton != nullptr && !cancelButton->disabled)
            Press(cancelButton);
        return true;
    }
    if (Navigate(event))
        return true;
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        ZoBaseGuiElemen* widget = widgets[i].get();
        switch (event.message) {
        case ZoInputEvent::kMouseMove:
            if (widget->MouseMove(event))
                FocusOnly(widget);
            break;
        case ZoInputEvent::kLeftButtonDown:
            if (widget->MouseDown(event)) {
                Press(widget);
                return true;
            }
            break;
        case ZoInputEvent::kLeftButtonUp:
        case ZoInputEvent::kRightButtonUp:
            if (widget->MouseUp(event)) {
                if (widget->kind == ZoBaseGuiElemen::kKindProfileButton) {
                    // Copy first: Press may not, but the caption is the name we select by.
                    const std::string playerName = widget->caption;
                    SelectItem(playerName);
                    Profiles().SelectProfile(playerName);
                }
                Press(widget);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return false;
}
