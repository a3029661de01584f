// A screen that hosts panels: registry by name, the stack of open ones, input to the top, commands back.
#pragma once

#include "ZoEventListener.h"
#include "ZoPanel.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ZoPanelHost : public ZoEventListener {
public:
    // Consumed events are cleared in the record; no input reaches a panel while it fades.
    bool OnEvent(ZoInputEvent& event) override;
    // Fades every open panel, bottom to top.
    void Update(std::int32_t elapsed) override;
    // The root, the decoration, then the panel below the top and the top (or every panel with drawAll).
    void Draw() override;
    // What the screen shows over its root panel but under every dialog; nothing by default.
    virtual void DrawDecoration() {}

    // Takes the panel under name (a panel already there under that name is deleted); returns it.
    ZoPanel* AddPanel(const std::string& panelName, std::unique_ptr<ZoPanel> panel);
    // Null for a name never registered.
    ZoPanel* GetPanel(const std::string& panelName) const;
    // Opens the panel (fade in, sound) and puts it on top. False for an unknown name.
    bool OpenPanel(const std::string& panelName);
    // Starts its fade-out; it leaves the stack when the fade ends. False for an unknown name.
    bool ClosePanel(const std::string& panelName);
    // Removes the top at once, silently; nothing when the stack is empty.
    void PopTopPanel();
    // A panel whose fade-out ended leaves the stack (the top, in the menus' normal use).
    void RemoveClosedPanel(ZoPanel* panel);

    ZoPanel* TopPanel() const { return openPanels.empty() ? nullptr : openPanels.back(); }
    const std::vector<ZoPanel*>& OpenPanels() const { return openPanels; }
    bool IsOpen(const ZoPanel* panel) const {
        return panel != nullptr && std::find(openPanels.begin(), openPanels.end(), panel) != openPanels.end();
    }

    bool drawAll = false;
    std::map<std::string, std::unique_ptr<ZoPanel>> panels;
    std::vector<ZoPanel*> openPanels;
    // The widget whose name is the pending command.
    ZoBaseGuiElemen* sender = nullptr;
};
