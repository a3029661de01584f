// Screens registered by name, the one active screen, and the dispatch of input events to it.
#pragma once

#include "ZoEventListener.h"
#include "ZoInputEvent.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

class ZoWindowManager {
public:
    using QuitRequest = std::function<void()>;

    // event: the record it dispatches; quit: what RequestQuit does (the application ends its loop).
    ZoWindowManager(ZoInputEvent& event, QuitRequest quit);
    ~ZoWindowManager();
    ZoWindowManager(const ZoWindowManager&) = delete;
    ZoWindowManager& operator=(const ZoWindowManager&) = delete;

    // Takes the listener, replacing (and deleting) one registered under the same name, and makes it
    // active.
    void RegisterListener(const std::string& name, std::unique_ptr<ZoEventListener> listener);
    // Clears the input record and the pending command of the screen that was active, then makes the
    // named one active, so a half-handled click never reaches the new screen. An unknown name changes
    // nothing and gives false.
    bool ActivateListener(const std::string& name);
    // Hands the input record to the active screen.
    void Dispatch();
    // Ends the frame loop before its next pass.
    void RequestQuit();

    ZoEventListener* Active() const { return active_; }
    const std::string& ActiveName() const { return activeName_; }
    ZoEventListener* Find(const std::string& name) const;
    ZoInputEvent& Event() const { return event_; }

private:
    ZoInputEvent& event_;
    QuitRequest quit_;
    std::map<std::string, std::unique_ptr<ZoEventListener>> listeners_;
    ZoEventListener* active_ = nullptr;
    std::string activeName_;
};
