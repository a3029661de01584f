// The profile dialog: the players as selectable buttons, the clicked one becoming the active player.
#pragma once

#include "ZoDialogPanel.h"

#include <cstdint>
#include <string>

class ZoProfileManager;

class ZoProfileDlg : public ZoDialogPanel {
public:
    // The one command every player's button sends; the player is its caption, never a command.
    static constexpr const char* kPlayerCommand = "ProfileDlg.Player";

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

    // The profile list shown; the game's own unless another was set.
    ZoProfileManager& Profiles() const;
    void SetProfiles(ZoProfileManager* profiles) { profiles_ = profiles; }

    // The player the profiles file and the game belong to: set when the dialog opens and whenever a
    // player is added or deleted; OK saves and drops a game under way only when the active one differs.
    std::string committedPlayer;
    ZoBaseGuiElemen* addButton = nullptr;
    std::int32_t listTop = 0;
    float rowStep = 0.0f;

private:
    ZoProfileManager* profiles_ = nullptr;
};
