// The base of every screen: receives the input events, the frame updates and the drawing while active.
#pragma once

#include "ZoInputEvent.h"

#include <cstdint>
#include <string>

class ZoWindowManager;

class ZoEventListener {
public:
    ZoEventListener() = default;
    virtual ~ZoEventListener() = default;
    ZoEventListener(const ZoEventListener&) = delete;
    ZoEventListener& operator=(const ZoEventListener&) = delete;

    // One translated input message; the dispatcher does not look at the result.
    virtual bool OnEvent(ZoInputEvent& event);
    // Once per frame, with the smoothed frame time in milliseconds.
    virtual void Update(std::int32_t elapsed);
    // Once per frame, after Update.
    virtual void Draw();
    // Once per frame, before Update: acts on the pending command. The base does nothing.
    virtual void ProcessCommand();
    // The window lost the focus or was minimised. The base does nothing.
    virtual void OnWindowLeft() {}
    // The window manager has just made this screen the active one. The base does nothing.
    virtual void OnActivated() {}

    // The window manager this screen is registered with, null before registration.
    ZoWindowManager* WindowManager() const { return windowManager_; }

    // The name of the element activated since the last frame, "" for none.
    std::string pendingCommand;

private:
    friend class ZoWindowManager;
    ZoWindowManager* windowManager_ = nullptr;
};
