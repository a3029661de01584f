#include "ZoWindowManager.h"

#include <utility>

ZoWindowManager::ZoWindowManager(ZoInputEvent& event, QuitRequest quit)
    : event_(event), quit_(std::move(quit)) {}

ZoWindowManager::~ZoWindowManager() {
    active_ = nullptr;
    listeners_.clear();
}

void ZoWindowManager::RegisterListener(const std::string& name, std::unique_ptr<ZoEventListener> listener) {
    if (!listener)
        return;
    listener->windowManager_ = this;
    ZoEventListener* added = listener.get();
    listeners_[name] = std::move(listener);
    active_ = added;
    activeName_ = name;
}

bool ZoWindowManager::ActivateListener(const std::string& name) {
    ZoEventListener* next = Find(name);
    if (next == nullptr)
        return false; // the frame loop needs a screen, so the current one stays
    event_.Clear();
    if (active_ != nullptr)
        active_->pendingCommand.clear();
    active_ = next;
    activeName_ = name;
    next->OnActivated();
    return true;
}

void ZoWindowManager::Dispatch() {
    if (active_ != nullptr)
        active_->OnEvent(event_);
}

void ZoWindowManager::RequestQuit() {
    if (quit_)
        quit_();
}

ZoEventListener* ZoWindowManager::Find(const std::string& name) const {
    const auto found = listeners_.find(name);
    return found != listeners_.end() ? found->second.get() : nullptr;
}
