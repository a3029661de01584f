// The profile dialog: the players as selectable buttons, the clicked one becoming the active player.
#pragma once

#include "ZoDialogPanel.h"

#include <cstdint>
#include <string>

class ZoProfileManager;

class ZoProfileDlg : public ZoDialogPanel {
public:
    // Layout from the engine definitions, the three buttons, and the profile limit.
    void Init() override;
    void Draw() override;
    bool HandleInput(const ZoInputEvent& event) override;
    void Open() override;

    void AddItem(const std::string& playerName, std::int32_t index);
    void RemoveItems();
    // A button per profile in list order, the active one selected.
    void Rebuild();
    void SelectItem(const std::string& playerName);
    std::int32_t ItemCount() const;

    // The profile list shown; the game's own unless another was set.
    ZoProfileManager& Profiles() const;
    void SetProfiles(ZoProfileManager* profiles) { profiles_ = profiles; }

    // The active player when the dialog opened: OK drops a game under way only when this changed.
    std::int32_t activeAtOpen = -1;
    ZoBaseGuiElemen* addButton = nullptr;
    std::int32_t listTop = 0;
    float rowStep = 0.0f;

private:
    ZoProfileManager* profiles_ = nullptr;
};
