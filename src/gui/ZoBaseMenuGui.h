// The base of the menu screen: a panel host that asks for a player's name while nobody has a profile.
#pragma once

#include "ZoPanelHost.h"

class ZoProfileManager;

class ZoBaseMenuGui : public ZoPanelHost {
public:
    // With no profiles the dialog gives way to "PlayerNameDlg" at once; otherwise it fades out.
    void CloseOrAskForName(const std::string& panelName);

    // The profile list consulted; the game's own unless another was set.
    ZoProfileManager& Profiles() const;
    void SetProfiles(ZoProfileManager* profiles) { profiles_ = profiles; }

private:
    ZoProfileManager* profiles_ = nullptr;
};
