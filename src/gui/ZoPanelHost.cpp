#include "ZoPanelHost.h"

#include <algorithm>

ZoPanel* ZoPanelHost::AddPanel(const std::string& panelName, std::unique_ptr<ZoPanel> panel) {
    if (panel == nullptr) {
        return nullptr;
    }
    panel->name = panelName;
    panel->owner = this;
    auto found = panels.find(panelName);
    if (found != panels.end()) {
        // The replaced panel is deleted, so it must not stay on the stack either.
        ZoPanel* old = found->second.get();
        openPanels.erase(std::remove(openPanels.begin(), openPanels.end(), old), openPanels.end());
        if (sender != nullptr) {
            for (const auto& widget : old->widgets) {
                if (widget.get() == sender) {
                    sender = nullptr;
                }
            }
        }
    }
    ZoPanel* result = panel.get();
    panels[panelName] = std::move(panel);
    return result;
}

ZoPanel* ZoPanelHost::GetPanel(const std::string& panelName) const {
    auto found = panels.find(panelName);
    return found != panels.end() ? found->second.get() : nullptr;
}

bool ZoPanelHost::OpenPanel(const std::string& panelName) {
    ZoPanel* panel = GetPanel(panelName);
    if (panel == nullptr) {
        return false;
    }
    panel->Open();
    openPanels.push_back(panel);
    return true;
}

bool ZoPanelHost::ClosePanel(const std::string& panelName) {
    ZoPanel* panel = GetPanel(panelName);
    if (panel == nullptr) {
        return false;
    }
    panel->Close();
    return true;
}

void ZoPanelHost::PopTopPanel() {
    if (!openPanels.empty()) {
        openPanels.pop_back();
    }
}

void ZoPanelHost::RemoveClosedPanel(ZoPanel* panel) {
    if (openPanels.empty()) {
        return;
    }
    if (openPanels.back() == panel) {
        openPanels.pop_back();
        return;
    }
    // Closed under a newer dialog: take this panel out, not the one above it.
    auto found = std::find(openPanels.rbegin(), openPanels.rend(), panel);
    if (found != openPanels.rend()) {
        openPanels.erase(std::next(found).base());
    }
}

bool ZoPanelHost::OnEvent(ZoInputEvent& event) {
    if (event.device == ZoInputEvent::kDeviceNone) {
        return true;
    }
    ZoPanel* top = TopPanel();
    if (top == nullptr || top->state != ZoPanel::Steady) {
        return false;
    }
    ZoInputEvent copy;
    copy.device = event.device;
    copy.releasedButton = event.releasedButton;
    copy.message = event.message;
    copy.eventPosition = event.eventPosition;
    copy.key = event.key;
    if (!top->HandleInput(copy)) {
        return false;
    }
    event.Clear();
    return true;
}

void ZoPanelHost::Update(std::int32_t elapsed) {
    // A panel may leave the stack during its own update; walk a copy.
    const std::vector<ZoPanel*> open = openPanels;
    for (ZoPanel* panel : open) {
        panel->Update(elapsed);
    }
}

void ZoPanelHost::Draw() {
    if (openPanels.empty()) {
        DrawDecoration();
        return;
    }
    openPanels.front()->Draw();
    DrawDecoration();
    if (openPanels.size() < 2) {
        return;
    }
    if (drawAll) {
        for (std::size_t i = 1; i < openPanels.size(); ++i) {
            openPanels[i]->Draw();
        }
        return;
    }
    ZoPanel* top = openPanels.back();
    // The dialog underneath fades out while the new one fades in; the root is never drawn twice.
    if (openPanels.size() > 2) {
        ZoPanel* below = openPanels[openPanels.size() - 2];
        below->alpha = 255.0f - top->alpha;
        below->Draw();
    }
    top->Draw();
}
