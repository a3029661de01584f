#include "ZoBaseMenuGui.h"

#include "ZoProfileManager.h"

ZoProfileManager& ZoBaseMenuGui::Profiles() const {
    return profiles_ != nullptr ? *profiles_ : ZoProfileManager::Instance();
}

void ZoBaseMenuGui::CloseOrAskForName(const std::string& panelName) {
    if (Profiles().IsEmpty()) {
        PopTopPanel();
        OpenPanel("PlayerNameDlg");
    } else {
        ClosePanel(panelName);
    }
}
